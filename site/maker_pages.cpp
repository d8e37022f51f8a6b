#include "maker_pages.h"

#include "text_util.h"

namespace site {

namespace {

std::string MakerBase(const MakerSettings& s) { return "http://ostrel.localhost:" + std::to_string(s.port); }

Answer ConfigPage(const MakerSettings& s) {
    Answer answer;
    answer.content_type = kCssType;
    answer.body = "/* Ostrel: Tarnbay remote settings */\r\nbody { font-size: 12px }\r\nA:link { color: #0000ff }\r\n"
                  "A:visitim { time: " + std::to_string(s.news_interval_seconds) + " }\r\n"
                  "A:visited { color: " + s.announce_version + " }\r\n";
    return answer;
}

Answer NewsPage(const DataSet& data, const MakerSettings& s) {
    // Everything after the first anchor is anchors and plain separators: the strip takes every
    // "\">" as the start of a title and every "href=\"" as a link.
    std::string body = "<h2>Ostrel 新闻</h2>\r\n<p>最近更新</p>\r\n<p>\r\n";
    for (std::size_t i = 0; i < data.news.size(); ++i)
        body += "<a href=\"" + MakerBase(s) + "/news/" + std::to_string(i + 1) + ".html\">" +
                HtmlEscape(data.news[i].title) + "</a><br>\r\n";
    body += "</p>\r\n";
    Answer answer;
    answer.body = HtmlDocument("Ostrel 新闻", body);
    return answer;
}

Answer ArticlePage(const DataSet& data, const std::string& path) {
    std::string digits = path.substr(6, path.size() - 11);
    if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos)
        return NotFound();
    std::size_t n = std::stoul(digits);
    if (n < 1 || n > data.news.size()) return NotFound();
    const NewsItem& item = data.news[n - 1];
    Answer answer;
    answer.body = HtmlDocument(item.title, "<h2>" + HtmlEscape(item.title) + "</h2>\r\n<p>" + HtmlEscape(item.text) +
                                               "</p>\r\n<p><a href=\"/news.html\">返回新闻列表</a></p>\r\n");
    return answer;
}

Answer DownloadPage(const MakerSettings& s) {
    Answer answer;
    answer.body = HtmlDocument("Tarnbay 下载",
                               "<h2>Tarnbay 下载</h2>\r\n<p>最新版本：" + HtmlEscape(s.announce_version) +
                                   "</p>\r\n<p>请从您的软件分发渠道获取安装包；本站只提供版本信息。</p>\r\n"
                                   "<p><a href=\"/news.html\">新闻</a></p>\r\n");
    return answer;
}

}  // namespace

Answer MakerPage(const DataSet& data, const MakerSettings& settings, const RequestTarget& target) {
    const std::string& path = target.path;
    if (path == "/config.css") return ConfigPage(settings);
    if (path == "/news.html") return NewsPage(data, settings);
    if (path == "/download.html") return DownloadPage(settings);
    if (path == "/" || path == "/index.html") return DownloadPage(settings);
    if (path.size() > 11 && path.rfind("/news/", 0) == 0 && path.compare(path.size() - 5, 5, ".html") == 0)
        return ArticlePage(data, path);
    return NotFound();
}

}  // namespace site
