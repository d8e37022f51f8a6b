#include "query/query_pages.h"

#include <gtest/gtest.h>

#include "support/recording_server.h"

namespace {

using query::CityHost;
using testsupport::RecordingServer;
using testsupport::Reply;

Reply Page(int status, const std::string& body) {
    Reply reply;
    reply.status = status;
    reply.body = body;
    return reply;
}

TEST(QueryPages, AddressesCarryTheTextsAsTyped) {
    const CityHost host{"beijing", ".bus.localhost:18080"};
    EXPECT_EQ(query::TransferAddress(host, "永定门", "奥体中心"),
              "http://beijing.bus.localhost:18080/so.php?k=p2p&q=永定门&q1=奥体中心");
    EXPECT_EQ(query::LineAddress(host, " 11路 "),
              "http://beijing.bus.localhost:18080/so.php?k=pp&q= 11路 ");
    EXPECT_EQ(query::StationAddress(host, "请输入站点(如:天安门)"),
              "http://beijing.bus.localhost:18080/so.php?k=p&q=请输入站点(如:天安门)");
    EXPECT_EQ(query::LineAddress(CityHost{}, "1"), "http:///so.php?k=pp&q=1");
}

const std::string kTransferPage =
    "<html><script>top()</script><div class=\"left\"><ul id=\"re_con\" class=\"r\">"
    "<li>乘坐<a href=\"/x_1.html\">1路</a></li><script>var n=1;</script>"
    "<li><a href=\"so.php?k=p2p&q1=a&q=b\">返程</a></li></ul>"
    "</div><div id=\"ftad\">foot</div><div id=\"x\"></div></html>";

const std::string kLinePage =
    "<div class=\"left\"><h3>11路</h3><script>ad()</script><ul><li>永定门</li></ul>"
    "<ul><li>second list</li></ul><div id=\"ftad\"></div>";

const std::string kStationPage =
    "<div class=\"left\"><p>天安门</p><a class=\"ad\" href=\"http://ad\">广告</a>"
    "<a href=\"/x_2.html\">2路</a><script type=\"text/javascript\">x()</script>"
    "<a class=\"ad\" href=\"http://ad2\"><b>买</b></a></div><div id=\"ftad\">ads</div>";

struct FragmentCase {
    const char* name;
    std::string (*cut)(const std::string&);
    std::string page;
    std::string expected;
};

class QueryPagesFragment : public ::testing::TestWithParam<FragmentCase> {};

TEST_P(QueryPagesFragment, CutsAndCleans) {
    EXPECT_EQ(GetParam().cut(GetParam().page), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QueryPagesFragment,
    ::testing::Values(
        FragmentCase{"transfer", query::TransferFragment, kTransferPage,
                     "<ul id=\"re_con\" class=\"r\"><li>乘坐<a href=\"/x_1.html\">1路</a></li>"
                     "<li><a href=\"so.php?k=p2p&q1=a&q=b\">返程</a></li></ul>"},
        FragmentCase{"line", query::LineFragment, kLinePage, "<h3>11路</h3><ul><li>永定门</li>"},
        FragmentCase{"station", query::StationFragment, kStationPage,
                     "<p>天安门</p><a href=\"/x_2.html\">2路</a></div>"},
        FragmentCase{"transfer_without_markers", query::TransferFragment, kLinePage, ""},
        FragmentCase{"line_without_markers", query::LineFragment, "<ul></ul>", ""},
        FragmentCase{"station_without_end", query::StationFragment, "<div class=\"left\">x", ""},
        FragmentCase{"empty_page", query::StationFragment, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

class QueryPagesFetch : public ::testing::Test {
protected:
    QueryPagesFetch() : host_{"beijing", ".localhost:" + std::to_string(server_.port())} {}
    std::string LastTarget() { return server_.Requests().back().target; }

    RecordingServer server_;
    CityHost host_;
};

TEST_F(QueryPagesFetch, TransferAsksTheCityHostAndShowsTheList) {
    server_.SetHandler([](const auto&) { return Page(200, kTransferPage); });
    const std::string fragment = query::FetchTransferFragment(host_, "永定门", "奥体中心");
    EXPECT_EQ(fragment.rfind("<ul id=\"re_con\"", 0), 0u);
    EXPECT_EQ(fragment.find("<script"), std::string::npos);
    EXPECT_EQ(LastTarget(), "/so.php?k=p2p&q=永定门&q1=奥体中心");  // GBK bytes, raw
    EXPECT_EQ(server_.Requests().back().Header("Host"), "beijing.localhost:" + std::to_string(server_.port()));
}

TEST_F(QueryPagesFetch, LineAndStationPages) {
    server_.SetHandler([](const testsupport::RecordedRequest& request) {
        return Page(200, request.target.find("k=pp") != std::string::npos ? kLinePage : kStationPage);
    });
    EXPECT_EQ(query::FetchLineFragment(host_, "11路"), "<h3>11路</h3><ul><li>永定门</li>");
    EXPECT_EQ(LastTarget(), "/so.php?k=pp&q=11路");
    EXPECT_EQ(query::FetchStationFragment(host_, "天安门"), "<p>天安门</p><a href=\"/x_2.html\">2路</a></div>");
    EXPECT_EQ(LastTarget(), "/so.php?k=p&q=天安门");
}

TEST_F(QueryPagesFetch, BlanksInTheTextAreEscapedSoTheRequestStaysWhole) {
    query::FetchLineFragment(host_, "1 路");
    EXPECT_EQ(LastTarget(), "/so.php?k=pp&q=1%20路");
}

TEST_F(QueryPagesFetch, ErrorPageWithoutMarkersGivesAnEmptyFragment) {
    server_.SetHandler([](const auto&) { return Page(404, "<html>not found</html>"); });
    EXPECT_EQ(query::FetchStationFragment(host_, "x"), "");
}

TEST(QueryPages, UnreachableSiteGivesAnEmptyFragment) {
    int closed_port;
    {
        RecordingServer gone;
        closed_port = gone.port();
    }
    const CityHost host{"beijing", ".localhost:" + std::to_string(closed_port)};
    EXPECT_EQ(query::FetchTransferFragment(host, "a", "b"), "");
    EXPECT_EQ(query::FetchLineFragment(CityHost{"", ""}, "1"), "");  // no city chosen yet
}

}  // namespace
