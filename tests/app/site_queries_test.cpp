// The Beijing queries of the program end to end: catalogue, city choice, pickers, the three
// queries and their links, all against tarnbay-site on loopback.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "app/program.h"
#include "data_set.h"
#include "site_server.h"
#include "support/temp_dir.h"
#include "support/widget_test.h"

namespace {

using testsupport::RunEventsUntil;

class SiteQueriesTest : public ::testing::Test {
protected:
    SiteQueriesTest() {
        std::string error;
        data_ = site::LoadDataSet(site::DefaultDataDirectory(), error);
        EXPECT_TRUE(data_) << error;
        site::ServerOptions options;
        options.port = 0;
        server_ = std::make_unique<site::SiteServer>(*data_, options);
        EXPECT_TRUE(server_->Start(error)) << error;

        app::ProgramSetup setup;
        setup.program_directory = dir_.gbk();
        setup.result_page_path = dir_.gbk() + "/tmp.html";
        const std::string port = std::to_string(server_->port());
        setup.addresses =
            net::RemoteAddressesFor("bus.localhost:" + port, "ostrel.localhost:" + port);
        // Yes to the first-run update: the catalogue comes from the site.
        setup.answer_questions = [](const std::string&, const std::string&) { return true; };
        program_ = std::make_unique<app::Program>(testsupport::App(), setup);
        program_->Start();
    }
    ~SiteQueriesTest() override {
        RunEventsUntil([&] {
            return program_->query_launcher().RunningWorkers() == 0 &&
                   program_->city_split().RunningSplits() == 0;
        });
        server_->Stop();
    }

    app::MainWindow& w() { return program_->main_window(); }
    query::ResultWindow& result() { return program_->result_window(); }

    // Picks the entry of that text as a user would; false when the list has none.
    static bool Pick(toolkit::PickList& list, const std::string& text) {
        for (int i = 0; i < list.Count(); ++i) {
            if (list.EntryText(i) == text) {
                list.ChooseEntry(i);
                return true;
            }
        }
        return false;
    }
    // Picks a category, then a name of the list the site filled for it.
    static bool PickThrough(toolkit::PickList& categories, const std::string& category,
                            toolkit::PickList& names, const std::string& name) {
        return Pick(categories, category) && Pick(names, name);
    }
    bool Shows(const std::string& text) {
        return RunEventsUntil([&] {
            return program_->query_launcher().RunningWorkers() == 0 &&
                   result().互联网浏览器1.PlainText().find(text) != std::string::npos;
        });
    }
    std::string PageFile() { return dir_.Read("tmp.html"); }
    // The first link of the page file whose address starts so ("&amp;" read as "&").
    std::string LinkStartingWith(const std::string& prefix) {
        const std::string page = PageFile();
        const std::regex href("href=\"(" + prefix + "[^\"]*)\"");
        std::smatch match;
        if (!std::regex_search(page, match, href)) return "";
        return std::regex_replace(match[1].str(), std::regex("&amp;"), "&");
    }
    // Clicks that link of the shown page; false when it has none.
    bool FollowFirstLink(const std::string& prefix) {
        const std::string link = LinkStartingWith(prefix);
        if (link.empty()) return false;
        result().互联网浏览器1.FollowLink(link);
        return true;
    }

    testsupport::TempDir dir_;
    std::unique_ptr<site::DataSet> data_;
    std::unique_ptr<site::SiteServer> server_;
    std::unique_ptr<app::Program> program_;
};

TEST_F(SiteQueriesTest, BeijingTransferLineAndStationWithTheirLinks) {
    ASSERT_TRUE(RunEventsUntil(
        [&] {
            return !program_->city_split().UpdateRunning() &&
                   program_->city_split().RunningSplits() == 0 && w().组合框_省.Count() == 32;
        },
        std::chrono::seconds(60)));
    ASSERT_TRUE(Pick(w().组合框_省, "北京市"));
    ASSERT_TRUE(Pick(w().组合框_市, "北京"));
    ASSERT_EQ(program_->state().city_record.Snapshot().city, "beijing");

    // Transfer: 永定门 (东城区) to 奥体中心 (朝阳区), both filled by the pickers.
    ASSERT_TRUE(PickThrough(w().组合框1, "东城区", w().组合框2, "永定门"));
    ASSERT_TRUE(PickThrough(w().组合框3, "朝阳区", w().组合框4, "奥体中心"));
    EXPECT_EQ(w().编辑框1.Text(), "永定门");
    EXPECT_EQ(w().编辑框2.Text(), "奥体中心");
    w().换乘查询.Click();
    ASSERT_TRUE(Shows("方案1"));
    EXPECT_EQ(result().window.Caption(),
              "当前城市：北京市省  --> 北京市       公交换乘： 从  永定门  到  奥体中心");
    EXPECT_EQ(PageFile().rfind("<ul id=\"re_con\"", 0), 0u);
    EXPECT_EQ(PageFile().find("<script>"), std::string::npos);

    // The return-trip link asks the way back and swaps the boxes and the categories.
    ASSERT_TRUE(FollowFirstLink("/so.php\\?k=p2p"));
    EXPECT_EQ(w().编辑框1.Text(), "奥体中心");
    EXPECT_EQ(w().编辑框2.Text(), "永定门");
    EXPECT_EQ(w().组合框1.Text(), "朝阳区");
    EXPECT_EQ(w().组合框3.Text(), "东城区");
    ASSERT_TRUE(Shows("方案1"));
    EXPECT_NE(result().互联网浏览器1.PlainText().find("奥体中心"), std::string::npos);

    // Line 11路 from 市区线路; a stop link of its page opens that stop's page.
    ASSERT_TRUE(PickThrough(w().组合框5, "市区线路", w().组合框6, "11路"));
    EXPECT_EQ(w().编辑框3.Text(), "11路");
    w().线路查询.Click();
    ASSERT_TRUE(Shows("积水潭桥"));
    EXPECT_NE(result().互联网浏览器1.PlainText().find("动物园"), std::string::npos);
    ASSERT_TRUE(FollowFirstLink("/z_"));
    EXPECT_NE(PageFile().find("站点"), std::string::npos);
    EXPECT_NE(PageFile().find("11路"), std::string::npos);  // 北京西站 etc. are on 11路

    // Station 天安门; a line link of its page opens that line's page.
    ASSERT_TRUE(PickThrough(w().组合框7, "东城区", w().组合框8, "天安门"));
    EXPECT_EQ(w().编辑框4.Text(), "天安门");
    w().站点查询.Click();
    ASSERT_TRUE(Shows("2路"));
    EXPECT_NE(result().互联网浏览器1.PlainText().find("1路"), std::string::npos);
    EXPECT_EQ(PageFile().find("class=\"ad\""), std::string::npos);
    ASSERT_TRUE(FollowFirstLink("/x_"));
    EXPECT_NE(PageFile().find("首末站"), std::string::npos);
}

}  // namespace
