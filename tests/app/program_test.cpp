#include "app/program.h"

#include <gtest/gtest.h>

#include "desktop/notices.h"
#include "support/maker_site.h"
#include "support/temp_dir.h"
#include "toolkit/notify_icon.h"
#include "support/widget_test.h"

namespace {

using testsupport::TempDir;
using testsupport::Utf8;

const std::string kBeijingLine =
    "{cid=11,city=\"beijing\",cnct=\"北京\",domain=\".bus.localhost:18080\","
    "ty_stat=\"公交站,地铁站\",ty_line=\"市区线路,郊区线路\",}";

class ProgramTest : public ::testing::Test {
protected:
    app::Program& Start() {
        app::ProgramSetup setup;
        setup.program_directory = dir_.gbk();
        setup.addresses = maker_site_.Addresses();
        setup.clock = [] { return catalogue::DateTime{2011, 3, 10, 12, 0, 0}; };
        setup.answer_questions = [this](const std::string& title, const std::string& text) {
            questions_.push_back(title + text);
            return false;
        };
        program_ = std::make_unique<app::Program>(testsupport::App(), setup);
        program_->Start();
        return *program_;
    }

    TempDir dir_;
    testsupport::MakerSite maker_site_;
    std::vector<std::string> questions_;
    std::unique_ptr<app::Program> program_;
};

TEST_F(ProgramTest, WithoutSettingsEachListHoldsItsPrompt) {
    app::MainWindow& w = Start().main_window();
    struct Prompt {
        toolkit::PickList& list;
        const char* text;
    };
    for (const Prompt& p : {Prompt{w.组合框1, "选择起点分类"}, Prompt{w.组合框2, "请选择起点名称"},
                            Prompt{w.组合框3, "选择起点分类"}, Prompt{w.组合框4, "请选择起点名称"},
                            Prompt{w.组合框5, "选择线路种类"}, Prompt{w.组合框6, "选择线路名称"},
                            Prompt{w.组合框7, "选择站点种类"}, Prompt{w.组合框8, "选择站点名称"}}) {
        ASSERT_EQ(p.list.Count(), 1) << p.text;
        EXPECT_EQ(p.list.EntryText(0), p.text);
        EXPECT_EQ(p.list.CurrentIndex(), 0);
    }
    EXPECT_EQ(w.组合框_省.Count(), 1);
    EXPECT_EQ(w.组合框_省.Text(), "Kelvane");
    EXPECT_EQ(w.组合框_市.Text(), "各省市公交");
    EXPECT_EQ(program_->state().settings_path, dir_.gbk() + "/tmp.ini");
    EXPECT_TRUE(program_->state().query_lock_ready);
}

TEST_F(ProgramTest, StartUpWithFreshDataEndsHiddenWithTwoStatusPanes) {
    dir_.Write("tmp.ini", "[Config]\r\nUpdate=2011年3月10日8时\r\n");  // contents are GBK
    app::MainWindow& w = Start().main_window();
    EXPECT_FALSE(w.window.Visible());
    EXPECT_TRUE(questions_.empty());
    ASSERT_EQ(w.状态条1.PaneCount(), 2);
    EXPECT_EQ(w.状态条1.PaneText(0), "今日已更新");
    EXPECT_EQ(w.状态条1.PaneText(1), "完成");
    for (int pane = 0; pane < 2; ++pane) EXPECT_EQ(w.状态条1.PaneWidth(pane), 200);
    EXPECT_FALSE(w.更新.Enabled());
    // Shown from the menu later, it comes up centred and normal, not minimised.
    w.ShowMainWindow();
    EXPECT_TRUE(w.window.Visible());
    EXPECT_EQ(w.window.State(), toolkit::WindowState::Normal);
}

TEST_F(ProgramTest, FirstRunAnsweredNoAsksTheFreshnessQuestionAtOnce) {
    app::MainWindow& w = Start().main_window();
    EXPECT_EQ(questions_, (std::vector<std::string>{"信息：第一次运行软件，是否进行公交线路更新？",
                                                    "更新提示：公交线路已更新，是否立即更新？"}));
    ASSERT_EQ(w.状态条1.PaneCount(), 3);
    EXPECT_EQ(w.状态条1.PaneText(2), "已有698046天未更新");
    EXPECT_TRUE(w.更新.Enabled());
    EXPECT_FALSE(w.window.Visible());
    EXPECT_FALSE(program_->city_split().UpdateRunning());
}

TEST_F(ProgramTest, SavedCityIsRestoredWithItsCategories) {
    dir_.Write(Utf8("data/北京/北京"), kBeijingLine);
    dir_.Write("tmp.ini", "[Config]\r\n省=北京\r\n市=北京\r\n");  // contents are GBK
    app::Program& program = Start();
    app::MainWindow& w = program.main_window();
    EXPECT_EQ(w.组合框_省.Text(), "北京");
    EXPECT_EQ(w.组合框_市.Text(), "北京");
    EXPECT_EQ(program.state().city_record.Snapshot().city, "beijing");
    for (toolkit::PickList* list : {&w.组合框1, &w.组合框3, &w.组合框7}) {
        ASSERT_EQ(list->Count(), 3);
        EXPECT_EQ(list->EntryText(1), "公交站");
        EXPECT_EQ(list->EntryText(2), "地铁站");
        EXPECT_EQ(list->CurrentIndex(), 0);
    }
    EXPECT_EQ(w.组合框1.EntryText(0), "选择起点分类");
    EXPECT_EQ(w.组合框7.EntryText(0), "选择站点种类");
    ASSERT_EQ(w.组合框5.Count(), 3);
    EXPECT_EQ(w.组合框5.EntryText(0), "选择线路种类");
    EXPECT_EQ(w.组合框5.EntryText(2), "郊区线路");
    EXPECT_EQ(w.组合框2.Count(), 1);  // name lists keep only their prompt
}

TEST_F(ProgramTest, StartUpShowsTheTrayIconTheWelcomeAndTheFloatingWindow) {
    app::Program& program = Start();
    const toolkit::WindowHandle main = program.main_window().window.Handle();
    const toolkit::NotifyIconState icon = toolkit::NotifyIconStateOf(main, 1);
    EXPECT_TRUE(icon.exists);
    EXPECT_EQ(icon.balloon_title, "欢迎");
    EXPECT_EQ(icon.balloon_text, "欢迎使用《Kelvane》\r\n如有问题请到我的博客留言，谢谢！");
    EXPECT_EQ(icon.balloon_flags, 1u);
    EXPECT_EQ(program.state().tray.tray_icon_data.uFlags, toolkit::kNifInfo);
    EXPECT_TRUE(program.float_window().window.Visible());
    EXPECT_NE(program.state().tray.taskbar_created_message, 0u);

    // The welcome goes after three seconds.
    const int remaining = toolkit::WindowTimerRemaining(main, desktop::kNoticeTimerId);
    EXPECT_GT(remaining, 2500);
    EXPECT_LE(remaining, 3000);
    EXPECT_TRUE(testsupport::RunEventsUntil(
        [&] { return toolkit::NotifyIconStateOf(main, 1).balloon_text.empty(); },
        std::chrono::milliseconds(4000)));
    EXPECT_TRUE(toolkit::NotifyIconStateOf(main, 1).exists);
}

}  // namespace
