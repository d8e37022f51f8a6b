#include "desktop/news_strip.h"

#include <utility>

#include "net/fetch_page.h"
#include "net/text_helpers.h"
#include "net/text_search.h"
#include "toolkit/canvas.h"
#include "toolkit/colours.h"
#include "toolkit/label.h"
#include "toolkit/mouse_events.h"
#include "toolkit/shell_open.h"
#include "toolkit/timer.h"

namespace desktop {
namespace {

constexpr long long kNotFound = -1;
constexpr int kSlidePeriod = 100;
constexpr int kRestPeriod = 3000;
constexpr int kRestTop = 0;
constexpr int kLeftTop = -15;  // at this top (or above) the title has left the strip

// The scans are written in the page's 1-based byte positions, -1 for "not found", so that
// the arithmetic of their offsets stays as it is meant.
class PageText {
public:
    explicit PageText(const std::string& page) : page_(page) {}

    // Position of the first `marker` at or after `from`; a start before 1 starts at 1.
    long long Find(const std::string& marker, long long from) const {
        const std::size_t start = from < 1 ? 0 : static_cast<std::size_t>(from - 1);
        if (start > page_.size()) return kNotFound;
        const std::size_t found = net::FindText(page_, marker, start);
        return found == net::npos ? kNotFound : static_cast<long long>(found) + 1;
    }

    // The `count` bytes from position `from`; empty when `count` is not positive.
    std::string Mid(long long from, long long count) const {
        if (count <= 0 || from < 1 || from > static_cast<long long>(page_.size())) return {};
        return page_.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(count));
    }

private:
    const std::string& page_;
};

bool HasNews(const std::string& page) { return net::FindText(page, "最近更新") != net::npos; }

}  // namespace

void DrawNewsCaption(toolkit::Canvas& canvas) {
    canvas.DrawText(5, 5, "相关文章：");
    canvas.SetTextColour(toolkit::kRed);
}

// Each title is the raw text between "\">" and the next "</a>", from the first anchor on.
std::vector<std::string> ScanNewsTitles(const std::string& page) {
    std::vector<std::string> titles;
    if (!HasNews(page)) return titles;
    const PageText text(page);
    long long t = text.Find("\">", text.Find("<a href=", 1));
    do {
        const long long e = text.Find("</a>", t);
        titles.push_back(text.Mid(t + 2, e - t - 2));
        // Without a closing marker the next search would begin at the page start again.
        if (e == kNotFound) break;
        t = text.Find("\">", e);
    } while (t != kNotFound);
    return titles;
}

// Each link is the text between "href=\"" and the next "\"", wherever it stands in the page.
std::vector<std::string> ScanNewsLinks(const std::string& page) {
    std::vector<std::string> links;
    if (!HasNews(page)) return links;
    const PageText text(page);
    long long t = text.Find("href=\"", 1);
    do {
        const long long q = text.Find("\"", t + 6);
        links.push_back(text.Mid(t + 6, q - t - 6));
        if (q == kNotFound) break;  // as for the titles
        t = text.Find("href=\"", q);
    } while (t != kNotFound);
    return links;
}

NewsStrip::NewsStrip(NewsStripControls controls, NewsItems items, std::string news_page,
                     toolkit::Shell& shell)
    : controls_(controls), items_(items), news_page_(std::move(news_page)), shell_(shell) {}

void NewsStrip::Bind() {
    controls_.消息显示时钟.on_tick = [this] { ShowNextNews(); };
    controls_.消息滑动时钟.on_tick = [this] { SlideNews(); };
    controls_.消息等待时钟.on_tick = [this] { ResumeSliding(); };
    controls_.标签11.on_mouse = [this](const toolkit::MouseEvent& event) {
        if (event.action == toolkit::MouseAction::Press &&
            event.button == toolkit::MouseButton::Left) {
            OpenNewsLink();
        }
    };
}

void NewsStrip::LoadNews() {
    controls_.画板1.SetVisible(true);
    items_.titles = {"Ostrel"};
    // Started before the fetch: a tick while the page is awaited shows "Ostrel".
    controls_.消息显示时钟.SetPeriod(items_.interval);
    const std::string page = net::FetchPage(net::ConvertByteList(news_page_));
    if (!HasNews(page)) return;
    items_.titles = ScanNewsTitles(page);
    items_.links = ScanNewsLinks(page);
}

void NewsStrip::ShowNextNews() {
    controls_.消息显示时钟.SetPeriod(items_.interval);
    ++items_.index;
    DrawNewsCaption(controls_.画板1);
    if (items_.index > static_cast<int>(items_.titles.size())) items_.index = 1;
    // The titles are gone only once the program is ending.
    if (items_.titles.empty()) return;
    controls_.标签11.SetText(items_.titles[static_cast<std::size_t>(items_.index - 1)]);
    controls_.消息滑动时钟.SetPeriod(kSlidePeriod);
}

void NewsStrip::SlideNews() {
    toolkit::Label& label = controls_.标签11;
    controls_.消息显示时钟.SetPeriod(0);
    const int top = label.Top() - 1;
    label.SetGeometry(label.Left(), top, label.Width(), label.Height());
    if (top <= kLeftTop) {
        label.SetGeometry(label.Left(), kWaitingTop, label.Width(), label.Height());
        controls_.消息显示时钟.SetPeriod(items_.interval);
        controls_.消息滑动时钟.SetPeriod(0);
    } else if (top == kRestTop) {
        controls_.消息滑动时钟.SetPeriod(0);
        controls_.消息等待时钟.SetPeriod(kRestPeriod);
    }
}

void NewsStrip::ResumeSliding() {
    controls_.消息等待时钟.SetPeriod(0);
    controls_.消息滑动时钟.SetPeriod(kSlidePeriod);
}

void NewsStrip::OpenNewsLink() {
    const int index = items_.index;
    if (index < 1 || index > static_cast<int>(items_.links.size())) return;
    shell_.Open(items_.links[static_cast<std::size_t>(index - 1)]);  // the outcome is not shown
}

}  // namespace desktop
