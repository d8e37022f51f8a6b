#include "toolkit/browser_view.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTextBrowser>
#include <filesystem>
#include <fstream>

#include "support/widget_test.h"
#include "toolkit/window.h"

namespace {

class BrowserViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("browser_view_test_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        window_.Load();
        view_.SetGeometry(0, 0, 792, 553);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string WritePage(const std::string& gbk) {
        const std::string path = (dir_ / "tmp.html").string();
        std::ofstream(path, std::ios::binary) << gbk;
        return path;
    }

    std::filesystem::path dir_;
    toolkit::Window window_{toolkit::WindowStyle{}};
    toolkit::BrowserView view_{window_.widget()};
};

TEST_F(BrowserViewTest, ShowsTheGbkPageFileAfterAsking) {
    std::vector<std::string> asked;
    std::vector<std::pair<int, int>> progress;
    view_.on_before_navigate = [&](const std::string& address) {
        asked.push_back(address);
        return true;
    };
    view_.on_progress = [&](int value, int maximum) { progress.emplace_back(value, maximum); };
    const std::string path = WritePage("<ul id=\"re_con\"><li>乘坐11路</li></ul>");
    view_.Navigate(path);
    EXPECT_EQ(asked, std::vector<std::string>{path});
    EXPECT_NE(view_.PlainText().find("乘坐11路"), std::string::npos);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), std::make_pair(10000, 10000));
}

TEST_F(BrowserViewTest, CancelledNavigationKeepsThePage) {
    view_.Navigate(WritePage("<p>first</p>"));
    view_.on_before_navigate = [](const std::string&) { return false; };
    view_.Navigate(WritePage("<p>second</p>"));
    EXPECT_NE(view_.PlainText().find("first"), std::string::npos);
}

TEST_F(BrowserViewTest, FollowedLinksAreReportedNotLoaded) {
    std::vector<std::string> asked;
    view_.Navigate(WritePage("<a href=\"/x_11.html\">11路</a>"));
    view_.on_before_navigate = [&](const std::string& address) {
        asked.push_back(address);
        return true;
    };
    view_.FollowLink("/x_11.html");
    view_.FollowLink("so.php?k=p2p&q1=b&q=a");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "file:///x_11.html");
    EXPECT_NE(asked[1].find("so.php?k=p2p&q1=b&q=a"), std::string::npos);
    EXPECT_NE(view_.PlainText().find("11路"), std::string::npos);  // still the same page
}

TEST_F(BrowserViewTest, StatusTextFollowsTheLinkUnderTheMouseAcrossPages) {
    std::vector<std::string> texts;
    view_.on_status_text = [&](const std::string& text) { texts.push_back(text); };
    window_.SetVisible(true);
    view_.Navigate(WritePage("<a href=\"/x_11.html\">11路11路11路</a>"));
    QWidget* viewport = static_cast<QTextBrowser*>(view_.widget())->viewport();
    QTest::mouseMove(viewport, QPoint(12, 10));
    ASSERT_TRUE(testsupport::RunEventsUntil([&] { return !texts.empty(); }));
    EXPECT_EQ(texts.back(), "file:///x_11.html");
    // The new page has no link there, and the mouse does not move: the old address goes.
    view_.Navigate(WritePage("<p>plain text</p>"));
    EXPECT_EQ(texts.back(), "");
    const std::size_t reports = texts.size();
    view_.Navigate(WritePage("<p>again</p>"));
    EXPECT_EQ(texts.size(), reports);  // nothing to take back
}

}  // namespace
