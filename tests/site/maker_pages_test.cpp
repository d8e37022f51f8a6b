// The maker's site, read the way the configuration check and the news strip read it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/text_helpers.h"
#include "site_fixture.h"

namespace {

const std::string kMaker = "ostrel.localhost";

// The news strip's scan: titles from each "\">" to the next "</a>" after the first anchor,
// links after every "href=\"".
void ScanNews(const std::string& page, std::vector<std::string>& titles, std::vector<std::string>& links) {
    std::size_t a = page.find("<a href=");
    std::size_t t = a == std::string::npos ? std::string::npos : page.find("\">", a);
    while (t != std::string::npos) {
        std::size_t e = page.find("</a>", t);
        if (e == std::string::npos) break;
        titles.push_back(page.substr(t + 2, e - t - 2));
        t = page.find("\">", e);
    }
    for (std::size_t h = page.find("href=\""); h != std::string::npos; h = page.find("href=\"", h + 6))
        links.push_back(page.substr(h + 6, page.find('"', h + 6) - h - 6));
}

TEST(MakerPages, ConfigurationCarriesIntervalAndVersionFromTheOptions) {
    site::ServerOptions options;
    options.news_interval_seconds = 7;
    options.announce_version = "2.0.1";
    site_test::RunningSite site(site_test::RepositoryData(), options);
    auto reply = site_test::Fetch(site.port(), kMaker, "/config.css");
    ASSERT_EQ(reply.status, 200);
    EXPECT_NE(reply.raw.find("Content-Type: text/css; charset=GBK"), std::string::npos);
    EXPECT_EQ(net::CutBetween(reply.body, "A:visitim { time: ", " }"), "7");
    EXPECT_EQ(net::CutBetween(reply.body, "A:visited { color: ", " }"), "2.0.1");

    site_test::RunningSite defaults(site_test::RepositoryData());
    std::string page = defaults.Get(kMaker, "/config.css");
    EXPECT_EQ(net::CutBetween(page, "A:visitim { time: ", " }"), "30");
    EXPECT_EQ(net::CutBetween(page, "A:visited { color: ", " }"), "1.4.22");
}

TEST(MakerPages, NewsTitlesPairWithLinksThatThisServerAnswers) {
    site_test::RunningSite site(site_test::RepositoryData());
    std::string page = site.Get(kMaker, "/news.html");
    ASSERT_NE(page.find("最近更新"), std::string::npos);
    std::string after_marker = page.substr(page.find("最近更新"));
    std::vector<std::string> titles, links;
    ScanNews(after_marker, titles, links);
    std::vector<std::string> all_titles, all_links;
    ScanNews(page, all_titles, all_links);
    EXPECT_EQ(all_links, links) << "no href=\" before the news items";

    const auto& news = site_test::RepositoryData().news;
    ASSERT_EQ(titles.size(), news.size());
    ASSERT_EQ(links.size(), news.size());
    const std::string base = "http://ostrel.localhost:" + std::to_string(site.port());
    for (std::size_t i = 0; i < news.size(); ++i) {
        EXPECT_EQ(titles[i], news[i].title);
        ASSERT_EQ(links[i].rfind(base, 0), 0u) << links[i];
        std::string article = site.Get(kMaker, links[i].substr(base.size()));
        EXPECT_NE(article.find("<h2>" + news[i].title + "</h2>"), std::string::npos);
    }
    EXPECT_NE(site.Get(kMaker, "/download.html").find("1.4.22"), std::string::npos);
    EXPECT_EQ(site_test::Fetch(site.port(), kMaker, "/news/0.html").status, 404);
    EXPECT_EQ(site_test::Fetch(site.port(), kMaker, "/news/99.html").status, 404);
}

}  // namespace
