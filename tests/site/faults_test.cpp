// Each fault mode over a real connection.
#include "faults.h"

#include <gtest/gtest.h>

#include <string>

#include "gbk_text.h"
#include "site.h"
#include "net/text_helpers.h"
#include "site_fixture.h"

namespace {

using site::FaultMode;
using site_test::Fetch;
using site_test::RunningSite;

const std::string kBeijing = site_test::CityHost("beijing");
const std::string kTransfer = "/so.php?k=p2p&q=天安门&q1=奥体中心";

// What the page is without faults.
std::string PlainBody(int port, const std::string& host, const std::string& target) {
    return site::Site(site_test::RepositoryData(), site::MakerSettings{port, "1.4.22", 30}).Respond(host, target).body;
}

site::ServerOptions WithFault(const std::string& rule) {
    site::ServerOptions options;
    options.faults.push_back(*site::ParseFaultRule(rule));
    return options;
}

TEST(Faults, RulesParseWithAndWithoutPath) {
    EXPECT_EQ(site::ParseFaultRule("slow")->path, "");
    EXPECT_EQ(site::ParseFaultRule("reset:/cities.html")->mode, FaultMode::kReset);
    EXPECT_EQ(site::ParseFaultRule("reset:/cities.html")->path, "/cities.html");
    for (const char* bad : {"", "slowly", "slow:", "slow:cities.html"}) EXPECT_FALSE(site::ParseFaultRule(bad)) << bad;
}

TEST(Faults, RefuseClosesWithoutAnAnswer) {
    RunningSite site(site_test::RepositoryData(), WithFault("refuse"));
    auto reply = Fetch(site.port(), "bus.localhost", "/cities.html");
    EXPECT_TRUE(reply.connected);
    EXPECT_TRUE(reply.raw.empty());
    EXPECT_FALSE(reply.timed_out);
}

TEST(Faults, StallSendsNothingAndKeepsTheConnection) {
    RunningSite site(site_test::RepositoryData(), WithFault("stall:/cities.html"));
    auto reply = Fetch(site.port(), "bus.localhost", "/cities.html", 300);
    EXPECT_TRUE(reply.timed_out);
    EXPECT_TRUE(reply.raw.empty());
    // Other paths answer normally on the same server; stopping it ends the stalled one.
    EXPECT_EQ(Fetch(site.port(), "bus.localhost", "/js/city1.js").status, 200);
}

TEST(Faults, SlowTricklesTheWholeAnswer) {
    RunningSite site(site_test::RepositoryData(), WithFault("slow:/config.css"));
    auto reply = Fetch(site.port(), "ostrel.localhost", "/config.css");
    ASSERT_EQ(reply.status, 200);
    EXPECT_EQ(net::CutBetween(reply.body, "A:visitim { time: ", " }"), "30");
    EXPECT_GE(reply.reads, 3) << "arrived in pieces";
}

TEST(Faults, ResetCutsTheBodyInHalf) {
    RunningSite site(site_test::RepositoryData(), WithFault("reset"));
    std::string full = PlainBody(site.port(), "bus.localhost", "/cities.html");
    auto reply = Fetch(site.port(), "bus.localhost", "/cities.html");
    EXPECT_EQ(reply.status, 200);
    EXPECT_TRUE(reply.reset);
    EXPECT_LT(reply.body.size(), full.size());
    EXPECT_EQ(full.compare(0, reply.body.size(), reply.body), 0) << "what came is the start of the page";
}

TEST(Faults, HugeBodyIsTwentyMebibytesAndStillHoldsThePage) {
    RunningSite site(site_test::RepositoryData(), WithFault("huge:/so.php"));
    auto reply = Fetch(site.port(), kBeijing, kTransfer, 20000);
    ASSERT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body.size(), site::kHugeBodySize);
    EXPECT_FALSE(net::CutBetween(reply.body, "<ul id=\"re_con\"", "</div><div id", true).empty());
}

TEST(Faults, BadGbkAndNulBytesLandInsideTheFragment) {
    struct Case {
        const char* rule;
        std::string bytes;
    };
    for (const Case& c : {Case{"badgbk", "\x80\x80\xFF\xFF"}, Case{"nul", std::string(1, '\0')}}) {
        RunningSite site(site_test::RepositoryData(), WithFault(c.rule));
        std::string body = Fetch(site.port(), kBeijing, kTransfer).body;
        std::string plain = PlainBody(site.port(), kBeijing, kTransfer);
        EXPECT_TRUE(site::IsValidGbk(plain));
        std::size_t at = body.find(c.bytes);
        ASSERT_NE(at, std::string::npos) << c.rule;
        EXPECT_GT(at, body.find("<ul id=\"re_con\"")) << c.rule;
        EXPECT_LT(at, body.find("</div><div id")) << c.rule;
        if (std::string(c.rule) == "badgbk") {
            EXPECT_FALSE(site::IsValidGbk(body));
        }
    }
}

TEST(Faults, NoMarkersLeavesNothingToCut) {
    RunningSite site(site_test::RepositoryData(), WithFault("nomarkers"));
    struct Case {
        std::string host, target, start, end;
    };
    const Case cases[] = {
        {kBeijing, kTransfer, "<ul id=\"re_con\"", "</div><div id"},
        {kBeijing, "/so.php?k=pp&q=11路", "<div class=\"left\">", "</ul>"},
        {kBeijing, "/so.php?k=p&q=天安门", "<div class=\"left\">", "<div id=\"ftad\""},
        {"ostrel.localhost", "/config.css", "A:visitim { time: ", " }"},
        {"ostrel.localhost", "/config.css", "A:visited { color: ", " }"},
        {"bus.localhost", "/js/city1.js", "ty_line=\"", "\","},
        {"bus.localhost", "/cities.html", "<h1>", "</h1>"},
        {"bus.localhost", "/cities.html", "<ul>", "</ul>"},
    };
    for (const auto& c : cases) {
        auto reply = Fetch(site.port(), c.host, c.target);
        ASSERT_EQ(reply.status, 200);
        EXPECT_FALSE(reply.body.empty());
        EXPECT_EQ(net::CutBetween(reply.body, c.start, c.end), "") << c.target << " " << c.start;
    }
    EXPECT_EQ(Fetch(site.port(), "ostrel.localhost", "/news.html").body.find("最近更新"), std::string::npos);
    EXPECT_EQ(Fetch(site.port(), kBeijing, "/city1.php?t=1101/p0").body.find(','), std::string::npos);
}

TEST(Faults, OpenScriptLeavesTheFragmentInsideAScriptBlock) {
    RunningSite site(site_test::RepositoryData(), WithFault("openscript"));
    std::string fragment =
        net::CutBetween(Fetch(site.port(), kBeijing, kTransfer).body, "<ul id=\"re_con\"", "</div><div id", true);
    std::size_t last_open = fragment.rfind("<script");
    ASSERT_NE(last_open, std::string::npos);
    EXPECT_EQ(fragment.find("</script>", last_open), std::string::npos);
    // The program's cleaning drops the open block and everything after it.
    std::string cleaned = net::RemoveBlocks(fragment, "<script", "</script>");
    EXPECT_EQ(cleaned.find("unterminated"), std::string::npos);
    EXPECT_NE(cleaned.find("方案1"), std::string::npos);
}

TEST(Faults, HostileNamesJoinTheCatalogueAndTheirPagesAnswer) {
    auto data = site_test::LoadRepositoryData();
    site::AddHostileCatalogueEntries(*data);
    RunningSite site(*data, WithFault("hostile"));
    std::string page = site.Get("bus.localhost", "/cities.html");
    for (const char* name : {"<h1>..</h1>", "<strong>..</strong>", "<strong>../上级目录</strong>", "<h1>斜/杠省</h1>",
                             "<strong>反\\斜杠</strong>", "<strong>a/b</strong>"})
        EXPECT_NE(page.find(name), std::string::npos) << name;
    std::string last = site.Get("bus.localhost", "/js/city" + std::to_string(data->cities.size()) + ".js");
    EXPECT_NE(last.find("cnct=\"a/b\","), std::string::npos);
    EXPECT_EQ(Fetch(site.port(), "hostileslash.bus.localhost", "/city1.php?t=9904/p0").status, 200);
}

}  // namespace
