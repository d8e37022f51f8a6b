#include "faults.h"

#include <array>
#include <utility>

#include "text_util.h"

namespace site {

namespace {

constexpr std::array<std::pair<FaultMode, const char*>, 10> kNames{{
    {FaultMode::kRefuse, "refuse"},
    {FaultMode::kStall, "stall"},
    {FaultMode::kSlow, "slow"},
    {FaultMode::kReset, "reset"},
    {FaultMode::kHuge, "huge"},
    {FaultMode::kBadGbk, "badgbk"},
    {FaultMode::kNul, "nul"},
    {FaultMode::kNoMarkers, "nomarkers"},
    {FaultMode::kOpenScript, "openscript"},
    {FaultMode::kHostile, "hostile"},
}};

// Where to put injected bytes: inside the fragment the program cuts, i.e. before the first
// list item when there is one, else in the middle of the body.
std::size_t InjectionPoint(const std::string& body) {
    std::size_t li = body.find("<li");
    return li != std::string::npos ? li : body.size() / 2;
}

// Built anew rather than with std::string::insert, whose inlined form GCC 12 warns about
// (a false -Wrestrict).
void InsertAt(std::string& body, std::size_t at, std::string_view piece) {
    std::string out;
    out.reserve(body.size() + piece.size());
    out.append(body, 0, at).append(piece).append(body, at, std::string::npos);
    body.swap(out);
}

// Each marker is rewritten into something a browser reads alike but a byte search misses.
constexpr std::array<std::pair<const char*, const char*>, 16> kMarkerRewrites{{
    {"</div><div id", "</div>\r\n<div id"},
    {"<ul id=\"re_con\"", "<ul id='re_con'"},
    {"<div class=\"left\">", "<div class='left'>"},
    {"<div id=\"ftad\"", "<div id='ftad'"},
    {"<h1>", "<h1 >"},
    {"</h1>", "</h1 >"},
    {"<ul>", "<ul >"},
    {"</ul>", "</ul >"},
    {"<strong>", "<strong >"},
    {"\",", "\" ,"},
    {"cid=", "cid ="},
    {"最近更新", "最新消息"},
    {"href=\"", "href='"},
    {"A:visitim { time: ", "A:visitim {time: "},
    {"A:visited { color: ", "A:visited {color: "},
    {",", "，"},  // category lists (and any other comma) lose their separator
}};

}  // namespace

std::optional<FaultRule> ParseFaultRule(std::string_view text) {
    std::size_t colon = text.find(':');
    std::string_view name = text.substr(0, colon);
    std::string path = colon == std::string_view::npos ? "" : std::string(text.substr(colon + 1));
    if (colon != std::string_view::npos && (path.empty() || path[0] != '/')) return std::nullopt;
    for (const auto& [mode, mode_name] : kNames)
        if (name == mode_name) return FaultRule{mode, path};
    return std::nullopt;
}

const char* FaultModeName(FaultMode mode) {
    for (const auto& [m, name] : kNames)
        if (m == mode) return name;
    return "?";
}

bool IsTransportFault(FaultMode mode) {
    return mode == FaultMode::kRefuse || mode == FaultMode::kStall || mode == FaultMode::kSlow ||
           mode == FaultMode::kReset;
}

const FaultRule* FindFault(const std::vector<FaultRule>& rules, std::string_view path) {
    for (const auto& rule : rules)
        if (rule.Applies(path)) return &rule;
    return nullptr;
}

void ApplyBodyFault(FaultMode mode, Answer& answer) {
    std::string& body = answer.body;
    switch (mode) {
        case FaultMode::kHuge: {
            const std::string filler = "<!-- padding padding padding padding padding padding padding -->\r\n";
            body.reserve(kHugeBodySize);
            while (body.size() + filler.size() <= kHugeBodySize) body += filler;
            body.append(kHugeBodySize - body.size(), ' ');
            break;
        }
        case FaultMode::kBadGbk:
            // 0x80 and 0xFF are no lead bytes; 0x81 0x7F has a trail byte that GBK excludes.
            InsertAt(body, InjectionPoint(body), "\x80\x80\xFF\xFF\x81\x7F");
            break;
        case FaultMode::kNul:
            InsertAt(body, InjectionPoint(body), std::string_view("\0", 1));
            break;
        case FaultMode::kNoMarkers:
            for (const auto& [from, to] : kMarkerRewrites) body = ReplaceAll(std::move(body), from, to);
            break;
        case FaultMode::kOpenScript: {
            // Just before the first end marker the program cuts at, so the fragment ends inside it.
            std::size_t at = std::string::npos;
            for (const char* end : {"</div><div id", "<div id=\"ftad\"", "</ul>"})
                if ((at = body.find(end)) != std::string::npos) break;
            if (at == std::string::npos) at = body.size();
            InsertAt(body, at, "<script>document.write('unterminated");
            break;
        }
        default:
            break;
    }
}

void AddHostileCatalogueEntries(DataSet& data) {
    data.provinces.push_back({"..", {}});
    data.AddCity(data.provinces.size() - 1, "..", "hostiledots", "9901");
    data.AddCity(data.provinces.size() - 1, "../上级目录", "hostileparent", "9902");
    data.provinces.push_back({"斜/杠省", {}});
    data.AddCity(data.provinces.size() - 1, "反\\斜杠", "hostilebackslash", "9903");
    data.AddCity(data.provinces.size() - 1, "a/b", "hostileslash", "9904");
}

}  // namespace site
