// The floating window of a started program: its shape and place, folding against the top of
// the screen, its menu, and both menus staying in step.
#include "desktop/float_window.h"

#include <gtest/gtest.h>

#include "app/program.h"
#include "support/maker_site.h"
#include "support/temp_dir.h"
#include "support/widget_test.h"
#include "toolkit/window_messages.h"

namespace {

using app::kHideFloatWindowItem;
using app::kHideMainWindowItem;
using app::kShowFloatWindowItem;
using app::kShowMainWindowItem;

class FloatWindowTest : public ::testing::Test {
protected:
    FloatWindowTest() {
        app::ProgramSetup setup;
        setup.program_directory = dir_.gbk();
        setup.addresses = maker_site_.Addresses();
        setup.answer_questions = [](const std::string&, const std::string&) { return false; };
        program_ = std::make_unique<app::Program>(testsupport::App(), setup);
        program_->Start();
    }

    app::MainWindow& w() { return program_->main_window(); }
    desktop::FloatWindow& f() { return program_->float_window(); }
    toolkit::WindowHandle handle() { return f().window.Handle(); }

    // Both menus show the same pairs.
    void ExpectMenusAgree(const char* after) {
        for (int item : {kShowMainWindowItem, kHideMainWindowItem, kShowFloatWindowItem,
                         kHideFloatWindowItem}) {
            EXPECT_EQ(w().菜单.ItemVisible(item), f().菜单.ItemVisible(item))
                << "item " << item << " after " << after;
        }
        EXPECT_EQ(w().菜单.ItemVisible(kShowMainWindowItem), !w().window.Visible()) << after;
        EXPECT_EQ(w().菜单.ItemVisible(kShowFloatWindowItem), !f().window.Visible()) << after;
    }

    testsupport::TempDir dir_;
    testsupport::MakerSite maker_site_;
    std::unique_ptr<app::Program> program_;
};

TEST_F(FloatWindowTest, StartsAsARoundedTranslucentSquareOnTopAtItsPlace) {
    desktop::FloatWindow& fw = f();
    EXPECT_TRUE(fw.window.Visible());
    EXPECT_EQ(fw.window.Width(), 40);
    EXPECT_EQ(fw.window.Height(), 40);
    // The suite's screen is 1024 x 768.
    ASSERT_EQ(toolkit::GetSystemMetrics(toolkit::kSmCxScreen), 1024);
    ASSERT_EQ(toolkit::GetSystemMetrics(toolkit::kSmCyScreen), 768);
    EXPECT_EQ(fw.window.Left(), 819);
    EXPECT_EQ(fw.window.Top(), 153);
    EXPECT_TRUE(fw.window.AlwaysOnTop());
    EXPECT_EQ(toolkit::WindowExtendedStyle(handle()), toolkit::kWsExLayered);
    EXPECT_NEAR(toolkit::WindowOpacity(handle()), 200.0 / 255.0, 0.01);
    const toolkit::RegionShape region = toolkit::WindowRegion(handle());
    EXPECT_TRUE(region.set);
    EXPECT_EQ(region.width, 40);
    EXPECT_EQ(region.height, 40);
    EXPECT_EQ(region.corner_width, 5);
    EXPECT_EQ(region.corner_height, 5);
    EXPECT_TRUE(fw.图片框2.HasPicture());
    EXPECT_EQ(fw.图片框2.Left(), -5);
    EXPECT_EQ(fw.图片框2.Width(), 50);
    EXPECT_EQ(fw.时钟1.Period(), 1000);
    EXPECT_TRUE(fw.时钟1.Running());
}

TEST_F(FloatWindowTest, FoldsAtTheTopPeeksOnMouseMoveAndRoundsAgainWhenDraggedDown) {
    desktop::FloatWindow& fw = f();
    fw.window.Move(300, 0);
    fw.DockFloatWindow();
    EXPECT_EQ(fw.window.Height(), 3);
    toolkit::RegionShape region = toolkit::WindowRegion(handle());
    EXPECT_EQ(region.height, 40);
    EXPECT_EQ(region.corner_width, 0);

    fw.ExpandFloatWindow();  // the mouse moves over the strip
    EXPECT_EQ(fw.window.Height(), 40);
    EXPECT_EQ(toolkit::WindowRegion(handle()).corner_width, 0);

    fw.DockFloatWindow();  // the next tick folds it again
    EXPECT_EQ(fw.window.Height(), 3);

    fw.window.Move(300, 120);
    fw.DockFloatWindow();
    EXPECT_EQ(fw.window.Height(), 40);
    region = toolkit::WindowRegion(handle());
    EXPECT_EQ(region.corner_width, 5);
    EXPECT_EQ(region.corner_height, 5);
    EXPECT_EQ(fw.window.Left(), 300);
    EXPECT_EQ(fw.window.Top(), 120);
}

TEST_F(FloatWindowTest, TheTimerFoldsTheWindowWithinATick) {
    f().window.Move(200, -10);
    EXPECT_TRUE(testsupport::RunEventsUntil([&] { return f().window.Height() == 3; }));
}

TEST_F(FloatWindowTest, MenuPairFollowsTheMainWindowAndNeverOffersToShowItself) {
    desktop::FloatWindow& fw = f();
    ASSERT_FALSE(w().window.Visible());  // start-up hid it
    for (bool visible : {false, true}) {
        if (visible) w().window.SetVisible(true);
        fw.ShowFloatMenu();
        EXPECT_TRUE(fw.菜单.IsShown());
        EXPECT_EQ(fw.菜单.ItemVisible(kShowMainWindowItem), !visible);
        EXPECT_EQ(fw.菜单.ItemVisible(kHideMainWindowItem), visible);
        EXPECT_FALSE(fw.菜单.ItemVisible(kShowFloatWindowItem));
        fw.菜单.Close();
    }
}

TEST_F(FloatWindowTest, StationItemOpensTheMainWindowCentredOnItsPageWithFocus) {
    f().菜单.Choose(app::kStationPageItem);
    EXPECT_TRUE(w().window.Visible());
    EXPECT_EQ(w().高级选择夹1.CurrentPage(), app::kStationPage);
    EXPECT_TRUE(testsupport::RunEventsUntil([&] { return w().window.IsActive(); }));
    const int left = w().window.Left();
    const int top = w().window.Top();
    EXPECT_EQ(left, (1024 - w().window.Width()) / 2);
    EXPECT_EQ(top, (768 - w().window.Height()) / 2);
    ExpectMenusAgree("station item");
}

TEST_F(FloatWindowTest, BothMenusAgreeAfterEveryShowAndHideAction) {
    struct Action {
        const char* name;
        toolkit::PopupMenu& menu;
        int item;
    };
    const Action actions[] = {
        {"float: show main", f().菜单, kShowMainWindowItem},
        {"float: hide main", f().菜单, kHideMainWindowItem},
        {"main: show main", w().菜单, kShowMainWindowItem},
        {"float: hide float", f().菜单, kHideFloatWindowItem},
        {"main: show float", w().菜单, kShowFloatWindowItem},
        {"main: hide main", w().菜单, kHideMainWindowItem},
        {"main: hide float", w().菜单, kHideFloatWindowItem},
        {"float: about", f().菜单, app::kAboutItem},
        {"main: show float", w().菜单, kShowFloatWindowItem},
    };
    for (const Action& action : actions) {
        // Menu items are chosen when shown; the float menu is set from visibility as it opens.
        if (&action.menu == &f().菜单) {
            f().ShowFloatMenu();
            f().菜单.Close();
        }
        action.menu.Choose(action.item);
        ExpectMenusAgree(action.name);
    }
}

TEST_F(FloatWindowTest, DoubleClickTogglesTheMainWindow) {
    f().ToggleMainWindow();
    EXPECT_TRUE(w().window.Visible());
    EXPECT_EQ(w().window.Left(), (1024 - w().window.Width()) / 2);
    f().ToggleMainWindow();
    EXPECT_FALSE(w().window.Visible());
    EXPECT_EQ(w().window.State(), toolkit::WindowState::Minimised);
}

}  // namespace
