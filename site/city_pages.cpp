#include "city_pages.h"

#include <cstdlib>
#include <functional>

#include "text_util.h"

namespace site {

namespace {

std::string LineLink(LineId id, const Network& n) {
    return "<a href=\"/x_" + std::to_string(id) + ".html\">" + HtmlEscape(n.Lines()[id].name) + "</a>";
}

std::string StationLink(StationId id, const Network& n) {
    return "<a href=\"/z_" + std::to_string(id) + ".html\">" + HtmlEscape(n.StationName(id)) + "</a>";
}

std::string TransferHref(const std::string& from, const std::string& to) {
    return "/so.php?k=p2p&amp;q=" + PercentEncode(from) + "&amp;q1=" + PercentEncode(to);
}

std::string Terminals(const Line& line, const Network& n) {
    return HtmlEscape(n.StationName(line.stops.front())) + "—" + HtmlEscape(n.StationName(line.stops.back()));
}

std::string SearchBar(const City& city) {
    return "<div id=\"top\"><h2>" + HtmlEscape(city.name) + "公交查询</h2>"
           "<form action=\"/so.php\" method=\"get\"><input type=\"hidden\" name=\"k\" value=\"p\">"
           "<input name=\"q\"><input type=\"submit\" value=\"查站点\"></form></div>\r\n";
}

// Ads and scripts of a page body: station and linked pages must lose the ads (they begin
// with <a class="ad") and their plain script blocks; the footer is where the program cuts.
std::string AdsAndScripts(int port) {
    std::string maker = "http://ostrel.localhost:" + std::to_string(port);
    return "<p class=\"ads\"><a class=\"ad\" href=\"" + maker + "/download.html\">下载桌面查询工具</a> "
           "<a class=\"ad\" href=\"" + maker + "/news.html\">公交新闻</a></p>\r\n"
           "<script>document.write('<span class=\"stat\"></span>');</script>\r\n"
           "<script type=\"text/javascript\">var page_loaded = true;</script>\r\n";
}

std::string Footer(int port) {
    return "</div><div id=\"ftad\"><a class=\"ad\" href=\"http://ostrel.localhost:" + std::to_string(port) +
           "/\">广告位招租</a></div></div>\r\n";
}

enum class AdPlace { kBeforeContent, kAfterContent };

std::string CityDocument(const City& city, const std::string& title, const std::string& left, int port,
                         AdPlace ads = AdPlace::kAfterContent) {
    std::string inner = ads == AdPlace::kAfterContent ? left + AdsAndScripts(port) : AdsAndScripts(port) + left;
    return HtmlDocument(city.name + "公交 " + title,
                        SearchBar(city) + "<div id=\"main\"><div class=\"left\">\r\n" + inner + Footer(port),
                        "<script type=\"text/javascript\">var city = \"" + city.label + "\";</script>\r\n");
}

std::string Suggestions(const std::vector<std::string>& names, const std::string& prefix_html,
                        const std::function<std::string(const std::string&)>& href) {
    if (names.empty()) return "";
    std::string out = prefix_html;
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i ? "、" : "") + std::string("<a href=\"") + href(names[i]) + "\">" + HtmlEscape(names[i]) + "</a>";
    return out;
}

std::string StationBody(const City& city, StationId s) {
    const Network& n = *city.network;
    std::string left = "<h3>" + HtmlEscape(n.StationName(s)) + " 站点</h3>\r\n<p>所属分类：" +
                       HtmlEscape(n.StopCategories()[n.StationCategory(s)]) + "，途经 " +
                       std::to_string(n.LinesAt(s).size()) + " 条线路：</p>\r\n<ul class=\"lines\">";
    for (LineId l : n.LinesAt(s))
        left += "<li>" + LineLink(l, n) + "（" + Terminals(n.Lines()[l], n) + "）</li>";
    return left + "</ul>\r\n";
}

std::string LineBody(const City& city, LineId id) {
    const Network& n = *city.network;
    const Line& line = n.Lines()[id];
    std::string left = "<h3>" + HtmlEscape(line.name) + "</h3>\r\n<p>首末站：" + Terminals(line, n) + "，共 " +
                       std::to_string(line.stops.size()) + " 站；分类：" +
                       HtmlEscape(n.LineCategories()[line.category]) + "</p>\r\n<ul>";
    for (StationId s : line.stops) left += "<li>" + StationLink(s, n) + "</li>";
    return left + "</ul>\r\n";
}

std::string UnknownStation(const City& city, const std::string& role, const std::string& name,
                           const std::function<std::string(const std::string&)>& href) {
    std::string text = name.empty() ? "请输入" + role + "名称。"
                                    : "没有找到" + role + "“" + HtmlEscape(name) + "”。";
    return "<li class=\"error\">" + text +
           Suggestions(SuggestStations(*city.network, name, 5), "您是不是要找：", href) + "</li>";
}

std::size_t ReadIndex(const std::string& digits, bool& ok) {
    ok = !digits.empty() && digits.size() <= 6 && digits.find_first_not_of("0123456789") == std::string::npos;
    return ok ? static_cast<std::size_t>(std::atoi(digits.c_str())) : 0;
}

}  // namespace

Answer TransferPage(const City& city, const std::string& from, const std::string& to, int port) {
    const Network& n = *city.network;
    auto start = n.FindStation(from);
    auto end = n.FindStation(to);
    std::string list = "<ul id=\"re_con\" class=\"result\">\r\n<li class=\"title\">从 <b>" + HtmlEscape(from) +
                       "</b> 到 <b>" + HtmlEscape(to) + "</b> <a href=\"" + TransferHref(to, from) +
                       "\">返程查询</a></li>\r\n";
    int plan_count = 0;
    if (!start || !end) {
        if (!start)
            list += UnknownStation(city, "起点", from, [&](const std::string& s) { return TransferHref(s, to); });
        if (!end)
            list += UnknownStation(city, "终点", to, [&](const std::string& s) { return TransferHref(from, s); });
    } else if (*start == *end) {
        list += "<li class=\"error\">起点和终点相同，无需乘车。</li>";
    } else {
        auto plans = city.planner->FindPlans(*start, *end);
        if (plans.empty()) list += "<li class=\"error\">两次换乘之内没有找到可以到达的方案。</li>";
        for (const auto& plan : plans) {
            ++plan_count;
            list += "<li class=\"plan\"><h4>方案" + std::to_string(plan_count) + "：" +
                    (plan.Changes() == 0 ? std::string("直达") : "换乘" + std::to_string(plan.Changes()) + "次") +
                    "，共" + std::to_string(plan.Stops()) + "站</h4><p>";
            for (std::size_t i = 0; i < plan.legs.size(); ++i) {
                const Leg& leg = plan.legs[i];
                list += std::string(i ? "，换乘" : "") + "在" + StationLink(leg.board, n) + "乘坐" +
                        LineLink(leg.line, n) + "（开往" + HtmlEscape(n.StationName(leg.towards)) + "方向），经过" +
                        std::to_string(leg.stops) + "站，到" + StationLink(leg.alight, n) + "下车";
            }
            list += "</p></li>\r\n";
        }
    }
    list += "<script>var plan_count = " + std::to_string(plan_count) + ";</script>\r\n</ul>";
    Answer answer;
    answer.body = CityDocument(city, "换乘 " + from + " - " + to, list, port, AdPlace::kBeforeContent);
    return answer;
}

Answer LinePage(const City& city, const std::string& line_name, int port) {
    const Network& n = *city.network;
    if (auto id = n.FindLine(line_name)) {
        Answer answer;
        answer.body = CityDocument(city, "线路 " + line_name, LineBody(city, *id), port);
        return answer;
    }
    std::string left = "<h3>没有找到线路“" + HtmlEscape(line_name) + "”</h3>\r\n<ul><li>" +
                       Suggestions(SuggestLines(n, line_name, 5), "您是不是要找：",
                                   [](const std::string& l) { return "/so.php?k=pp&amp;q=" + PercentEncode(l); }) +
                       "</li><li>线路名称写法如“" + HtmlEscape(n.Lines().front().name) + "”。</li></ul>\r\n";
    Answer answer;
    answer.body = CityDocument(city, "线路 " + line_name, left, port);
    return answer;
}

Answer StationPage(const City& city, const std::string& station_name, int port) {
    const Network& n = *city.network;
    std::string left;
    if (auto id = n.FindStation(station_name)) {
        left = StationBody(city, *id);
    } else {
        left = "<h3>没有找到站点“" + HtmlEscape(station_name) + "”</h3>\r\n<p>" +
               Suggestions(SuggestStations(n, station_name, 5), "您是不是要找：",
                           [](const std::string& s) { return "/so.php?k=p&amp;q=" + PercentEncode(s); }) +
               "</p>\r\n";
    }
    Answer answer;
    answer.body = CityDocument(city, "站点 " + station_name, left, port);
    return answer;
}

Answer CategoryNames(const City& city, const std::string& t) {
    Answer answer;
    answer.content_type = kTextType;
    const Network& n = *city.network;
    size_t slash = t.find('/');
    if (slash == std::string::npos || t.substr(0, slash) != city.cid) return answer;
    std::string kind = t.substr(slash + 1);
    bool ok = false;
    if (kind.rfind("pp", 0) == 0) {
        std::size_t index = ReadIndex(kind.substr(2), ok);
        if (!ok) return answer;
        if (index == 0) {
            std::vector<std::string> all;
            for (const auto& line : n.Lines()) all.push_back(line.name);
            answer.body = Join(all, ",");
        } else if (index <= n.LineCategories().size()) {
            answer.body = Join(n.LinesInCategory(index - 1), ",");
        }
    } else if (kind.rfind("p", 0) == 0) {
        std::size_t position = ReadIndex(kind.substr(1), ok);
        if (ok && position < n.StopCategories().size()) answer.body = Join(n.StationsInCategory(position), ",");
    }
    return answer;
}

Answer CityPage(const City& city, const RequestTarget& target, int port) {
    const std::string& path = target.path;
    const Network& n = *city.network;
    if (path == "/so.php") {
        std::string k = target.Param("k").value_or("");
        std::string q = target.Param("q").value_or("");
        if (k == "p2p") return TransferPage(city, q, target.Param("q1").value_or(""), port);
        if (k == "pp") return LinePage(city, q, port);
        if (k == "p") return StationPage(city, q, port);
        return NotFound();
    }
    if (path == "/city1.php") return CategoryNames(city, target.Param("t").value_or(""));
    bool ok = false;
    if (path.size() > 8 && path.compare(path.size() - 5, 5, ".html") == 0 &&
        (path.rfind("/x_", 0) == 0 || path.rfind("/z_", 0) == 0)) {
        std::size_t id = ReadIndex(path.substr(3, path.size() - 8), ok);
        if (ok && path[1] == 'x' && id < n.Lines().size()) {
            Answer answer;
            answer.body = CityDocument(city, "线路 " + n.Lines()[id].name, LineBody(city, static_cast<LineId>(id)), port);
            return answer;
        }
        if (ok && path[1] == 'z' && id < n.StationCount() && !n.LinesAt(static_cast<StationId>(id)).empty()) {
            Answer answer;
            answer.body = CityDocument(city, "站点 " + n.StationName(static_cast<StationId>(id)),
                                       StationBody(city, static_cast<StationId>(id)), port);
            return answer;
        }
        return NotFound();
    }
    if (path == "/" || path == "/index.html") {
        std::string left = "<h3>" + HtmlEscape(city.name) + "公交线路</h3>\r\n<p>共 " +
                           std::to_string(n.Lines().size()) + " 条线路、" + std::to_string(n.StationCount()) +
                           " 个站点。</p>\r\n<ul>";
        for (LineId l = 0; l < n.Lines().size(); ++l) left += "<li>" + LineLink(l, n) + "</li>";
        Answer answer;
        answer.body = CityDocument(city, "首页", left + "</ul>\r\n", port);
        return answer;
    }
    return NotFound();
}

}  // namespace site
