#include "query/category_pickers.h"

#include "net/fetch_page.h"
#include "net/text_pieces.h"
#include "query/input_hints.h"
#include "toolkit/colours.h"
#include "toolkit/edit_box.h"
#include "toolkit/pick_list.h"
#include "toolkit/status_bar.h"

namespace query {
namespace {

constexpr int kProgressPane = 1;
constexpr const char* kStartNamesPrompt = "请选择起点名称";
constexpr const char* kLineNamesPrompt = "选择线路名称";
constexpr const char* kStopNamesPrompt = "选择站点名称";

}  // namespace

CategoryPickers::CategoryPickers(const PickerControls& controls, catalogue::CurrentCity& city)
    : c_(controls), city_(city) {}

void CategoryPickers::Bind() {
    c_.组合框1.on_entry_chosen = [this] { PickStopCategory(c_.组合框1, c_.组合框2, kStartNamesPrompt); };
    c_.组合框3.on_entry_chosen = [this] { PickStopCategory(c_.组合框3, c_.组合框4, kStartNamesPrompt); };
    c_.组合框7.on_entry_chosen = [this] { PickStopCategory(c_.组合框7, c_.组合框8, kStopNamesPrompt); };
    c_.组合框5.on_entry_chosen = [this] { PickLineCategory(); };
    c_.组合框2.on_entry_chosen = [this] {
        PickName(c_.组合框2, kStartNamesPrompt, c_.编辑框1, kStartStopHint);
    };
    c_.组合框4.on_entry_chosen = [this] {
        PickName(c_.组合框4, kStartNamesPrompt, c_.编辑框2, kEndStopHint);
    };
    c_.组合框6.on_entry_chosen = [this] {
        PickName(c_.组合框6, kLineNamesPrompt, c_.编辑框3, kLineHint);
    };
    c_.组合框8.on_entry_chosen = [this] {
        PickName(c_.组合框8, kStopNamesPrompt, c_.编辑框4, kStopHint);
    };
}

bool CategoryPickers::FetchNames(const std::string& category_path, const toolkit::PickList& names,
                                 std::string& body) {
    const int generation = ++generations_[&names];
    const catalogue::CityRecord record = city_.Snapshot();
    body = net::FetchPage("http://" + record.city + record.domain + "/city1.php?t=" + record.cid +
                          category_path);
    return generations_[&names] == generation;
}

void CategoryPickers::ReportPieces(std::size_t pieces) {
    c_.状态条1.SetPaneText(kProgressPane, pieces > 0 ? "数据查询完成" : "数据查询失败！");
}

void CategoryPickers::PickStopCategory(toolkit::PickList& categories, toolkit::PickList& names,
                                       const char* names_prompt) {
    c_.状态条1.SetPaneText(kProgressPane, "数据查询中...");
    names.Clear();
    names.AddEntry(names_prompt);
    const int current = categories.CurrentIndex();
    const int value = current < 0 ? -1 : categories.EntryValue(current);
    std::string body;
    if (!FetchNames("/p" + std::to_string(value), names, body)) return;
    const std::vector<std::string> pieces = net::SplitText(body, ",");
    for (const std::string& piece : pieces) {
        if (!net::TrimBlanks(piece).empty()) names.AddEntry(piece);  // stop names as given
    }
    names.SetCurrentIndex(0);
    ReportPieces(pieces.size());
}

void CategoryPickers::PickLineCategory() {
    c_.状态条1.SetPaneText(kProgressPane, "数据查询中...");
    std::string body;
    if (!FetchNames("/pp" + std::to_string(c_.组合框5.CurrentIndex()), c_.组合框6, body)) return;
    const std::vector<std::string> pieces = net::SplitText(body, ",");
    // Until the answer is in, the list keeps its old names.
    c_.组合框6.Clear();
    c_.组合框6.AddEntry(kLineNamesPrompt);
    for (const std::string& piece : pieces) {
        const std::string trimmed = net::TrimBlanks(piece);
        if (!trimmed.empty()) c_.组合框6.AddEntry(trimmed);
    }
    c_.组合框6.SetCurrentIndex(0);
    ReportPieces(pieces.size());
}

void CategoryPickers::PickName(toolkit::PickList& names, const char* prompt, toolkit::EditBox& box,
                               const char* hint) {
    const std::string chosen = names.Text();
    if (chosen != prompt) {
        box.SetTextColour(toolkit::kBlack);
        box.SetText(chosen);
    } else {
        box.SetTextColour(toolkit::kGrey);
        box.SetText(hint);
    }
}

}  // namespace query
