// A city's pages over real HTTP, cut and cleaned the way the program cuts them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/text_helpers.h"
#include "site_fixture.h"
#include "text_util.h"

namespace {

using site_test::RunningSite;

const std::string kBeijing = site_test::CityHost("beijing");
const std::string kAdMarker = "<a class=\"ad\"";

std::string TransferFragment(const std::string& page) {
    return net::RemoveBlocks(net::CutBetween(page, "<ul id=\"re_con\"", "</div><div id", true), "<script", "</script>");
}

// The root-relative links of a fragment that start with `prefix` ("/x_" or "/z_").
std::vector<std::string> Links(const std::string& fragment, const std::string& prefix) {
    std::vector<std::string> links;
    std::string key = "href=\"" + prefix;
    for (std::size_t at = fragment.find(key); at != std::string::npos; at = fragment.find(key, at + 1))
        links.push_back(fragment.substr(at + 6, fragment.find('"', at + 6) - at - 6));
    return links;
}

class CityPages : public ::testing::Test {
protected:
    static void SetUpTestSuite() { site_ = new RunningSite(site_test::RepositoryData()); }
    static void TearDownTestSuite() { delete site_; }
    std::string Get(const std::string& target) { return site_->Get(kBeijing, target); }
    static RunningSite* site_;
};
RunningSite* CityPages::site_ = nullptr;

struct Journey {
    const char* from;
    const char* to;
    const char* first_plan;            // heading of plan 1
    std::vector<std::string> lines;    // its lines in riding order
};

TEST_F(CityPages, TransferFragmentsGiveThePlansOfTheDemoNetwork) {
    const Journey journeys[] = {
        {"天安门", "永定门", "方案1：直达", {"2路"}},
        {"天安门", "奥体中心", "方案1：换乘1次", {"1路", "108路"}},
        {"永定门", "奥体中心", "方案1：换乘2次", {"2路", "1路", "108路"}},
    };
    for (const auto& j : journeys) {
        std::string page = Get(std::string("/so.php?k=p2p&q=") + j.from + "&q1=" + j.to);
        std::string raw_fragment = net::CutBetween(page, "<ul id=\"re_con\"", "</div><div id", true);
        ASSERT_FALSE(raw_fragment.empty()) << j.from << j.to;
        EXPECT_NE(raw_fragment.find("<script>"), std::string::npos) << "a script block inside the fragment";
        std::string fragment = TransferFragment(page);
        EXPECT_EQ(fragment.find("<script"), std::string::npos);
        EXPECT_EQ(fragment.rfind("<ul id=\"re_con\"", 0), 0u);
        EXPECT_NE(fragment.find("so.php"), std::string::npos) << "the return-trip link";
        std::string plan1 = net::CutBetween(fragment, j.first_plan, "</li>");
        ASSERT_FALSE(plan1.empty()) << j.from << " -> " << j.to << "\n" << fragment;
        std::size_t at = 0;
        for (const auto& line : j.lines) {
            at = plan1.find(">" + line + "</a>", at);
            ASSERT_NE(at, std::string::npos) << line;
        }
        // The keys in the other order (the reverse link's form) ask the same question.
        EXPECT_EQ(TransferFragment(Get(std::string("/so.php?k=p2p&q1=") + j.to + "&q=" + j.from)), fragment);
    }
}

TEST_F(CityPages, TransferWithoutAnswerExplainsInsideTheMarkers) {
    struct Case {
        const char* target;
        const char* says;
    };
    const Case cases[] = {
        {"/so.php?k=p2p&q=天安&q1=永定门", "没有找到起点“天安”"},
        {"/so.php?k=p2p&q=天安门&q1=", "请输入终点名称"},
        {"/so.php?k=p2p&q=天安门&q1=天安门", "起点和终点相同"},
        {"/so.php?k=p2p&q=<b>&q1=天安门", "没有找到起点“&lt;b&gt;”"},
    };
    for (const auto& c : cases) {
        std::string fragment = TransferFragment(Get(c.target));
        EXPECT_NE(fragment.find(c.says), std::string::npos) << c.target << "\n" << fragment;
        EXPECT_NE(fragment.find("so.php"), std::string::npos);
    }
    // A close name is suggested.
    EXPECT_NE(TransferFragment(Get("/so.php?k=p2p&q=天安&q1=永定门")).find(">天安门</a>"), std::string::npos);
}

TEST_F(CityPages, LineFragmentHoldsDetailsAndStopsUpToTheFirstListEnd) {
    std::string page = Get("/so.php?k=pp&q=11路");
    std::string fragment = net::RemoveBlocks(net::CutBetween(page, "<div class=\"left\">", "</ul>"), "<script", "</script>");
    EXPECT_NE(fragment.find("<h3>11路</h3>"), std::string::npos);
    const auto& network = *site_test::RepositoryData().FindCityByLabel("beijing")->network;
    std::size_t at = 0;
    for (auto s : network.Lines()[*network.FindLine("11路")].stops) {
        at = fragment.find(">" + network.StationName(s) + "</a>", at);
        ASSERT_NE(at, std::string::npos) << network.StationName(s);
    }
    std::string unknown = net::CutBetween(Get("/so.php?k=pp&q=11"), "<div class=\"left\">", "</ul>");
    EXPECT_NE(unknown.find("没有找到线路"), std::string::npos);
    EXPECT_NE(unknown.find(">11路</a>"), std::string::npos) << "suggestion";
}

TEST_F(CityPages, StationFragmentLosesScriptsAndAds) {
    std::string raw = net::CutBetween(Get("/so.php?k=p&q=天安门"), "<div class=\"left\">", "<div id=\"ftad\"");
    ASSERT_NE(raw.find(kAdMarker), std::string::npos);
    std::string fragment = net::RemoveBlocks(net::RemoveBlocks(raw, "<script", "</script>"), kAdMarker, "</a>");
    EXPECT_EQ(fragment.find("class=\"ad\""), std::string::npos);
    EXPECT_EQ(fragment.find("<script"), std::string::npos);
    for (const char* line : {">1路</a>", ">2路</a>"}) EXPECT_NE(fragment.find(line), std::string::npos) << line;
    std::string unknown = net::CutBetween(Get("/so.php?k=p&q=天坛"), "<div class=\"left\">", "<div id=\"ftad\"");
    EXPECT_NE(unknown.find("没有找到站点"), std::string::npos);
    EXPECT_NE(unknown.find(">天坛西门</a>"), std::string::npos);
}

TEST_F(CityPages, LinkedPagesOfEveryResultAnswerWithTheirMarkers) {
    std::vector<std::string> links = Links(TransferFragment(Get("/so.php?k=p2p&q=永定门&q1=奥体中心")), "/x_");
    for (const auto& l : Links(TransferFragment(Get("/so.php?k=p2p&q=永定门&q1=奥体中心")), "/z_")) links.push_back(l);
    for (const auto& l : Links(net::CutBetween(Get("/so.php?k=pp&q=11路"), "<div class=\"left\">", "</ul>"), "/z_"))
        links.push_back(l);
    ASSERT_GT(links.size(), 10u);
    for (const auto& link : links) {
        std::string raw = net::CutBetween(Get(link), "<div class=\"left\">", "<div id=\"ftad\"");
        ASSERT_FALSE(raw.empty()) << link;
        EXPECT_NE(raw.find("<script>"), std::string::npos) << link;
        EXPECT_NE(raw.find("<script type="), std::string::npos) << link;
        std::string fragment = net::RemoveBlocks(net::RemoveBlocks(raw, "<script>", "</script>"), kAdMarker, "</a>");
        EXPECT_EQ(fragment.find("<script>"), std::string::npos) << link;
        EXPECT_NE(fragment.find("<script type="), std::string::npos) << "only plain blocks go";
        EXPECT_EQ(fragment.find(kAdMarker), std::string::npos) << link;
    }
    EXPECT_EQ(site_test::Fetch(site_->port(), kBeijing, "/x_99999.html").status, 404);
    EXPECT_EQ(site_test::Fetch(site_->port(), kBeijing, "/z_x.html").status, 404);
}

TEST_F(CityPages, RawAndPercentEscapedQueryBytesAreTheSameText) {
    // The program sends raw GBK with blanks escaped; a browser escapes every byte.
    const std::string raw = "/so.php?k=p&q=天安门";
    const std::string escaped = "/so.php?k=p&q=" + site::PercentEncode("天安门");
    const std::string mixed = "/so.php?%6B=p&q=" + site::PercentEncode("天") + "安%C3%C5";
    std::string expected = Get(raw);
    EXPECT_NE(expected.find("<h3>天安门 站点</h3>"), std::string::npos);
    EXPECT_EQ(Get(escaped), expected);
    EXPECT_EQ(Get(mixed), expected);

    // A blank arrives escaped, '+' stays a plus, a broken escape stays as it is.
    struct Echo {
        const char* sent;
        const char* shown;
    };
    for (const Echo& e : {Echo{"天%20安", "天 安"}, Echo{"1+1", "1+1"}, Echo{"%zz%4", "%zz%4"}, Echo{"%E4%ff", "\xE4\xFF"}})
        EXPECT_NE(Get(std::string("/so.php?k=p&q=") + e.sent).find(std::string("没有找到站点“") + e.shown + "”"),
                  std::string::npos)
            << e.sent;
}

TEST_F(CityPages, UnknownHostsPathsAndHostileRequestsGetA404Page) {
    struct Case {
        std::string host;
        std::string target;
    };
    const Case cases[] = {
        {"nowhere.bus.localhost", "/so.php?k=p&q=a"},
        {kBeijing, "/nothing.php"},
        {kBeijing, "/so.php?k=zz&q=a"},
        {"bus.localhost", "/js/city1x.js"},
        {"example.com", "/cities.html"},
        {"beijing.bus.localhost\x01", "/"},
        {"", "/cities.html"},
        {"bus.localhost", "/js/city99999999999999999999.js"},
    };
    for (const auto& c : cases) {
        auto reply = site_test::Fetch(site_->port(), c.host, c.target);
        EXPECT_EQ(reply.status, 404) << c.host << c.target;
        EXPECT_NE(reply.body.find("404 页面不存在"), std::string::npos);
        EXPECT_NE(reply.raw.find("charset=GBK"), std::string::npos);
    }
    // A target far too long is refused, and the server goes on answering.
    auto huge = site_test::Fetch(site_->port(), kBeijing, "/so.php?k=p&q=" + std::string(100000, 'a'));
    EXPECT_NE(huge.status, 200);
    EXPECT_EQ(site_test::Fetch(site_->port(), "BUS.localhost:1", "/cities.html").status, 200) << "port and case ignored";
}

}  // namespace
