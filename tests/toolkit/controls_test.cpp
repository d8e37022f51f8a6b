#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "support/widget_test.h"
#include "toolkit/button.h"
#include "toolkit/canvas.h"
#include "toolkit/colours.h"
#include "toolkit/edit_box.h"
#include "toolkit/label.h"
#include "toolkit/message_box.h"
#include "toolkit/pick_list.h"
#include "toolkit/popup_menu.h"
#include "toolkit/status_bar.h"
#include "toolkit/tab_control.h"
#include "toolkit/timer.h"
#include "toolkit/window.h"

namespace {

using testsupport::RunEventsUntil;

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        window_.SetGeometry(0, 0, 401, 422);
        window_.Load();
    }
    toolkit::Window window_{toolkit::WindowStyle{}};
};

TEST_F(Controls, EditBoxRoundTripsGbk) {
    toolkit::EditBox box(window_.widget());
    box.SetText("请输入起点(如:永定门)");
    EXPECT_EQ(box.Text(), "请输入起点(如:永定门)");
    // 0xFF starts no GBK character: it shows as U+FFFD (which reads back as '?'), the rest
    // is kept.
    box.SetText("a\xFF" "b北");
    EXPECT_EQ(box.Text(), "a?b北");
    // A character GBK cannot hold comes back as '?'.
    static_cast<QLineEdit*>(box.widget())->setText(QString::fromUtf8(u8"x\U0001F68Cy"));
    EXPECT_EQ(box.Text(), "x?y");
}

TEST_F(Controls, EditBoxColourAndMultiLineText) {
    toolkit::EditBox box(window_.widget(), true);
    box.SetText("line 1\r\n\r\nline 3");
    EXPECT_EQ(box.Text(), "line 1\r\n\r\nline 3");
    box.SetTextColour(toolkit::kGrey);
    EXPECT_EQ(box.TextColour(), toolkit::kGrey);
}

TEST_F(Controls, PickListEntriesValuesAndUserChoice) {
    toolkit::PickList list(window_.widget());
    int chosen = 0;
    list.on_entry_chosen = [&] { ++chosen; };
    EXPECT_EQ(list.CurrentIndex(), -1);
    list.AddEntry("选择起点分类");
    list.AddEntry("公交站", 2);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.EntryValue(0), 0);
    EXPECT_EQ(list.EntryValue(1), 2);
    list.SetCurrentIndex(1);
    EXPECT_EQ(list.Text(), "公交站");
    EXPECT_EQ(chosen, 0);  // selecting from the program is no user choice
    list.ChooseEntry(0);
    EXPECT_EQ(chosen, 1);
    list.SetCurrentIndex(-1);
    EXPECT_EQ(list.Text(), "");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.CurrentIndex(), -1);
}

TEST_F(Controls, DisabledTabControlDisablesItsPagesControls) {
    toolkit::TabControl tabs(window_.widget());
    tabs.SetGeometry(5, 96, 384, 274);
    QWidget* page0 = tabs.AddPage("站点换乘");
    QWidget* page1 = tabs.AddPage("公交线路");
    toolkit::Button button(page0);
    toolkit::EditBox box(page1);
    box.SetGeometry(80, 55, 184, 20);
    EXPECT_EQ(tabs.PageCount(), 2);
    EXPECT_EQ(tabs.PageCaption(1), "公交线路");
    EXPECT_EQ(tabs.CurrentPage(), 0);
    tabs.SetCurrentPage(1);
    EXPECT_TRUE(box.widget()->isVisible());
    EXPECT_FALSE(button.widget()->isVisible());
    // Controls are placed in the tab control's own coordinates.
    EXPECT_EQ(box.widget()->mapTo(tabs.widget(), QPoint(0, 0)), QPoint(80, 55));

    tabs.SetEnabled(false);
    EXPECT_FALSE(button.Enabled());
    EXPECT_FALSE(box.Enabled());
    tabs.SetEnabled(true);
    EXPECT_TRUE(box.Enabled());
}

TEST_F(Controls, ButtonClickRunsOnlyWhileEnabled) {
    toolkit::Button button(window_.widget());
    int clicks = 0;
    button.on_click = [&] { ++clicks; };
    button.Click();
    button.SetEnabled(false);
    button.Click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(Controls, StatusBarPanesAlongTheBottomEdge) {
    toolkit::StatusBar bar(window_.widget());
    bar.AddPane("完成", 200);
    bar.AddPane("完成", 200);
    EXPECT_EQ(bar.PaneCount(), 2);
    bar.SetPaneText(1, "读取网络配置文件...|line1\r\nline2");
    EXPECT_EQ(bar.PaneText(1), "读取网络配置文件...|line1  line2");
    bar.SetPaneText(5, "no such pane");
    bar.SetPaneWidth(0, 120);
    EXPECT_EQ(bar.PaneWidth(0), 120);
    EXPECT_EQ(bar.Top(), window_.widget()->height() - 20);
    EXPECT_EQ(bar.Width(), window_.widget()->width());
}

TEST_F(Controls, TimerTicksUntilPeriodZero) {
    toolkit::Timer timer;
    int ticks = 0;
    timer.on_tick = [&] { ++ticks; };
    timer.SetPeriod(5);
    EXPECT_TRUE(RunEventsUntil([&] { return ticks >= 3; }));
    timer.SetPeriod(0);
    EXPECT_FALSE(timer.Running());
    const int stopped_at = ticks;
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(30));
    EXPECT_EQ(ticks, stopped_at);
}

TEST_F(Controls, CanvasKeepsWhatWasDrawn) {
    toolkit::Canvas canvas(window_.widget());
    canvas.SetGeometry(8, 76, 374, 18);
    canvas.DrawText(5, 5, "相关文章：");
    canvas.SetTextColour(toolkit::kRed);
    canvas.DrawText(5, 5, "相关文章：");
    const auto drawn = canvas.DrawnTexts();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].colour, toolkit::kBlack);
    EXPECT_EQ(drawn[1].colour, toolkit::kRed);
    // The picture holds red pixels after a repaint.
    canvas.widget()->repaint();
    const QImage picture = canvas.Picture();
    bool red = false;
    for (int y = 0; y < picture.height() && !red; ++y) {
        for (int x = 0; x < picture.width() && !red; ++x) red = picture.pixelColor(x, y).red() > 200;
    }
    EXPECT_TRUE(red);
}

TEST_F(Controls, LabelShowsPlainText) {
    toolkit::Label label(window_.widget(), true);
    label.SetText("<b>广告标签</b>\r\n2");
    EXPECT_EQ(label.Text(), "<b>广告标签</b>\r\n2");
    int presses = 0;
    label.on_mouse = [&](const toolkit::MouseEvent& e) {
        presses += e.action == toolkit::MouseAction::Press && e.button == toolkit::MouseButton::Left;
    };
    label.SetGeometry(0, 0, 100, 20);
    QTest::mousePress(label.widget(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(presses, 1);
}

TEST_F(Controls, PopupMenuItemsAreShownOrHidden) {
    toolkit::PopupMenu menu;
    int shown = 0;
    const int show_item = menu.AddItem("显示悬浮窗", [&] { ++shown; });
    menu.AddItem("隐藏悬浮窗", nullptr);
    EXPECT_EQ(menu.ItemCount(), 2);
    EXPECT_EQ(menu.ItemCaption(show_item), "显示悬浮窗");
    menu.SetItemVisible(show_item, false);
    menu.Choose(show_item);
    EXPECT_EQ(shown, 0);
    menu.SetItemVisible(show_item, true);
    EXPECT_TRUE(menu.ItemVisible(show_item));
    menu.Choose(show_item);
    EXPECT_EQ(shown, 1);
}

TEST_F(Controls, MessageBoxAnswerer) {
    toolkit::MessageBox box;
    std::string asked;
    box.answerer = [&](const std::string& title, const std::string& text) {
        asked = title + text;
        return true;
    };
    EXPECT_TRUE(box.AskYesNo("信息：", "新版程序已发布，是否立即更新？"));
    EXPECT_EQ(asked, "信息：新版程序已发布，是否立即更新？");
}

}  // namespace
