// Queries on the window: the launcher, its workers and the result window, against a loopback
// server, on a real main window under the offscreen platform.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <atomic>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

#include "program_on_server.h"

namespace {

using testsupport::RecordedRequest;
using testsupport::Reply;
using testsupport::RunEventsUntil;

Reply Page(const std::string& body) {
    Reply reply;
    reply.body = body;
    return reply;
}

// A small city site: each kind of page names the texts it was asked for.
Reply CitySite(const RecordedRequest& request) {
    const std::string& t = request.target;
    if (t.find("k=p2p") != std::string::npos) {
        return Page("<div class=\"left\"><ul id=\"re_con\"><li>" + t +
                    "</li><script>x()</script><a href=\"/so.php?k=p2p&q=b&q1=a\">返程</a></ul>"
                    "</div><div id=\"ftad\"></div>");
    }
    if (t.find("k=pp") != std::string::npos) {
        return Page("<div class=\"left\"><p>line " + t + "</p><a href=\"/z_7.html\">天安门</a></ul>");
    }
    if (t.find("/z_7.html") != std::string::npos) {
        return Page("<div class=\"left\"><p>stop page</p><script>gone()</script>"
                    "<script type=\"text/javascript\">kept()</script><a class=\"ad\" href=\"x\">ad</a>"
                    "<div id=\"ftad\">");
    }
    return Page("<div class=\"left\"><p>station " + t + "</p><a class=\"ad\" href=\"x\">ad</a><div id=\"ftad\">");
}

class QueriesTest : public testsupport::ProgramOnServer {
protected:
    QueriesTest() { server_.SetHandler(CitySite); }

    query::ResultWindow& result() { return program_->result_window(); }
    bool Shows(const std::string& text) {
        return RunEventsUntil([&] {
            return program_->query_launcher().RunningWorkers() == 0 &&
                   result().互联网浏览器1.PlainText().find(text) != std::string::npos;
        });
    }
    std::string PageFile() { return dir_.Read("tmp.html"); }
};

TEST_F(QueriesTest, FirstTransferOpensTheWindowTitledAndCentred) {
    w().编辑框1.SetText("永定门");
    w().编辑框2.SetText("奥体中心");
    w().换乘查询.Click();
    ASSERT_TRUE(Shows("永定门"));
    EXPECT_EQ(result().window.Caption(),
              "当前城市：Kelvane省  --> 各省市公交市       公交换乘： 从  永定门  到  奥体中心");
    EXPECT_EQ(result().window.Width(), 800);
    EXPECT_EQ(result().window.Height(), 600);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(result().window.Left(), area.x() + (area.width() - 800) / 2);
    EXPECT_EQ(server_.Requests().back().target, "/so.php?k=p2p&q=永定门&q1=奥体中心");
    const std::string page = PageFile();
    EXPECT_EQ(page.rfind("<ul id=\"re_con\"", 0), 0u);  // exactly the fragment
    EXPECT_EQ(page.find("<script"), std::string::npos);
}

TEST_F(QueriesTest, LineQueryKeepsTheTitleAndAClosedWindowGetsANewOne) {
    w().换乘查询.Click();
    ASSERT_TRUE(Shows("k=p2p"));
    const std::string first_title = result().window.Caption();
    w().编辑框3.SetText("11路");
    w().线路查询.Click();
    ASSERT_TRUE(Shows("line /so.php?k=pp&q=11路"));
    EXPECT_EQ(result().window.Caption(), first_title);

    result().window.RequestClose();
    EXPECT_FALSE(result().IsOpen());
    w().编辑框4.SetText("天安门");
    w().站点查询.Click();
    ASSERT_TRUE(Shows("station"));
    EXPECT_TRUE(result().IsOpen());
    EXPECT_EQ(result().window.Caption(),
              "当前城市：Kelvane省  --> 各省市公交市       站点查询： 天安门");
    EXPECT_EQ(PageFile().find("class=\"ad\""), std::string::npos);
}

TEST_F(QueriesTest, NoProvinceOrCityChosenLeavesTheirPlacesEmpty) {
    w().组合框_省.SetCurrentIndex(-1);
    w().组合框_市.SetCurrentIndex(-1);
    w().编辑框3.SetText("11路");
    w().线路查询.Click();
    ASSERT_TRUE(Shows("line"));
    EXPECT_EQ(result().window.Caption(), "当前城市：省  --> 市       线路查询： 11路");
}

TEST_F(QueriesTest, ARefusedThreadLeavesTheOpenedWindowAndRunsNothing) {
    program_->query_launcher().start_thread = [](std::function<void()>) { return false; };
    w().编辑框4.SetText("天安门");
    w().站点查询.Click();
    EXPECT_TRUE(result().IsOpen());
    EXPECT_EQ(result().window.Caption(),
              "当前城市：Kelvane省  --> 各省市公交市       站点查询： 天安门");
    EXPECT_EQ(program_->query_launcher().RunningWorkers(), 0);
    EXPECT_FALSE(server_.WaitForRequests(1, std::chrono::milliseconds(200)));
    EXPECT_EQ(result().互联网浏览器1.PlainText(), "");
}

TEST_F(QueriesTest, TwoQuickPressesRunTwoWorkers) {
    w().线路查询.Click();
    w().线路查询.Click();
    // The workers read their boxes through the window thread, so the test keeps it running.
    ASSERT_TRUE(RunEventsUntil([&] { return server_.Requests().size() >= 2; }));
    EXPECT_TRUE(RunEventsUntil([&] { return program_->query_launcher().RunningWorkers() == 0; }));
}

TEST_F(QueriesTest, ReverseTransferSwapsTextsAndCategoriesTwice) {
    w().组合框1.AddEntry("A", 0);
    w().组合框3.AddEntry("B", 1);
    w().组合框3.SetCurrentIndex(1);
    w().编辑框1.SetText("甲");
    w().编辑框2.SetText("乙");
    w().换乘查询.Click();
    ASSERT_TRUE(Shows("k=p2p"));
    result().互联网浏览器1.FollowLink("/so.php?k=p2p&q=b&q1=a");
    EXPECT_EQ(w().编辑框1.Text(), "乙");
    EXPECT_EQ(w().编辑框2.Text(), "甲");
    EXPECT_EQ(w().组合框1.CurrentIndex(), 1);
    EXPECT_EQ(w().组合框3.CurrentIndex(), 0);
    EXPECT_EQ(server_.Requests().back().target, "/so.php?k=p2p&q1=甲&q=乙");
    result().互联网浏览器1.FollowLink("/so.php?k=p2p&q=b&q1=a");
    EXPECT_EQ(w().编辑框1.Text(), "甲");
    EXPECT_EQ(w().组合框1.CurrentIndex(), 0);
    EXPECT_EQ(w().组合框3.CurrentIndex(), 1);
}

TEST_F(QueriesTest, FollowedLinkKeepsTypedScriptsOnly) {
    w().线路查询.Click();
    ASSERT_TRUE(Shows("line"));
    result().互联网浏览器1.FollowLink("/z_7.html");
    EXPECT_EQ(server_.Requests().back().target, "/z_7.html");
    const std::string page = PageFile();
    EXPECT_NE(page.find("stop page"), std::string::npos);
    EXPECT_EQ(page.find("gone()"), std::string::npos);
    EXPECT_NE(page.find("<script type=\"text/javascript\">kept()</script>"), std::string::npos);
    EXPECT_EQ(page.find("class=\"ad\""), std::string::npos);
}

TEST_F(QueriesTest, StatusBarPanesFollowTheWindowWidth) {
    w().换乘查询.Click();
    ASSERT_TRUE(Shows("k=p2p"));
    query::ResultWindow& r = result();
    EXPECT_EQ(r.状态条1.PaneText(0), "完成");
    EXPECT_EQ(r.状态条1.PaneText(1), "完成进度：100%");
    r.ShowLoadProgress(5000);
    EXPECT_EQ(r.状态条1.PaneText(1), "完成进度：50%");
    r.ShowLoadProgress(-1);
    EXPECT_EQ(r.状态条1.PaneText(1), "完成进度：-0.01%");
    r.window.SetGeometry(0, 0, 1000, 600);
    EXPECT_EQ(r.互联网浏览器1.Width(), 992);
    EXPECT_EQ(r.状态条1.PaneWidth(0), 500);
    EXPECT_EQ(r.状态条1.PaneWidth(1), 500);
    EXPECT_EQ(r.互联网浏览器1.Height(), r.状态条1.Top());
}

// The station page of answer n: big enough that a page written in pieces would be seen torn.
std::string NumberedFragment(int n) {
    const std::string number = std::to_string(n);
    std::string fragment = "<p>station " + number + "</p>";
    for (int i = 0; i < 4000; ++i) fragment += "<b>" + number + "</b>";
    return fragment + "<p>end " + number + "</p>";
}

TEST_F(QueriesTest, FiftyQueriesAtOnceLeaveOneWholePageAndAFreeWindow) {
    constexpr int kQueries = 50;
    // The site holds every answer until the test lets it go.
    std::mutex gate_mutex;
    std::condition_variable gate_changed;
    bool gate_open = false;
    std::atomic<int> answered{0};
    std::atomic<int> next_answer{0};
    server_.SetHandler([&](const RecordedRequest&) {
        {
            std::unique_lock lock(gate_mutex);
            gate_changed.wait_for(lock, std::chrono::seconds(30), [&] { return gate_open; });
        }
        Reply reply = Page("<div class=\"left\">" + NumberedFragment(next_answer++) +
                           "<div id=\"ftad\">");
        ++answered;
        return reply;
    });
    std::set<std::string> fragments;
    for (int n = 0; n < kQueries; ++n) fragments.insert(NumberedFragment(n));

    // A reader that looks at the page file all the time the answers arrive.
    std::atomic<bool> reading{true};
    std::atomic<int> reads{0};
    std::atomic<int> torn_reads{0};
    std::thread reader([&] {
        const std::string path = (dir_.path() / "tmp.html").string();
        while (reading) {
            std::ifstream file(path, std::ios::binary);
            if (!file) continue;
            std::ostringstream bytes;
            bytes << file.rdbuf();
            ++reads;
            if (!fragments.count(bytes.str())) ++torn_reads;
        }
    });

    w().编辑框4.SetText("天安门");
    for (int i = 0; i < kQueries; ++i) w().站点查询.Click();
    // The window thread never waits for the site: with every answer held, it still runs a
    // timer, and the boxes answer the workers that read them.
    bool timer_ran = false;
    QTimer::singleShot(0, [&] { timer_ran = true; });
    EXPECT_TRUE(RunEventsUntil([&] { return timer_ran && server_.Requests().size() >= 8; }));
    EXPECT_EQ(answered.load(), 0);
    w().编辑框3.SetText("still typing");
    EXPECT_EQ(w().编辑框3.Text(), "still typing");
    EXPECT_EQ(program_->query_launcher().RunningWorkers(), kQueries);

    {
        std::lock_guard lock(gate_mutex);
        gate_open = true;
    }
    gate_changed.notify_all();
    const bool all_done = RunEventsUntil(
        [&] { return program_->query_launcher().RunningWorkers() == 0; }, std::chrono::seconds(30));
    reading = false;
    reader.join();
    ASSERT_TRUE(all_done);
    EXPECT_EQ(server_.Requests().size(), static_cast<std::size_t>(kQueries));
    EXPECT_GT(reads.load(), 0);
    EXPECT_EQ(torn_reads.load(), 0);
    const std::string last = PageFile();
    EXPECT_EQ(fragments.count(last), 1u);
    // The view shows the page the file holds.
    const std::string number = last.substr(11, last.find('<', 11) - 11);
    EXPECT_NE(result().互联网浏览器1.PlainText().find("end " + number), std::string::npos);
}

}  // namespace
