#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "support/widget_test.h"
#include "toolkit/colours.h"

namespace {

using app::MainWindow;
using testsupport::RunEventsUntil;

// The floating window's side, as the handlers see it.
struct RecordingFloatWindow : app::FloatWindowLink {
    void CopyMainWindowPair(bool show, bool hide) override { main_pair = {show, hide}; }
    void CopyFloatWindowPair(bool show, bool hide) override { float_pair = {show, hide}; }
    void SetFloatWindowVisible(bool visible) override { this->visible = visible; }
    std::pair<bool, bool> main_pair{true, true};
    std::pair<bool, bool> float_pair{false, true};
    bool visible = true;
};

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : window_([this] { ++ends_; }) {
        window_.SetFloatWindow(&float_window_);
        window_.Load(nullptr);
    }

    std::pair<bool, bool> MainPair() {
        return {window_.菜单.ItemVisible(app::kShowMainWindowItem),
                window_.菜单.ItemVisible(app::kHideMainWindowItem)};
    }
    std::pair<bool, bool> FloatPair() {
        return {window_.菜单.ItemVisible(app::kShowFloatWindowItem),
                window_.菜单.ItemVisible(app::kHideFloatWindowItem)};
    }
    bool IsCentred() {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        return window_.window.Left() == area.x() + (area.width() - window_.window.Width()) / 2 &&
               window_.window.Top() == area.y() + (area.height() - window_.window.Height()) / 2;
    }

    int ends_ = 0;
    RecordingFloatWindow float_window_;
    MainWindow window_;
};

TEST_F(MainWindowTest, WindowProperties) {
    EXPECT_EQ(window_.window.Caption(), "Kelvane － Tarnbay － 国庆版");
    EXPECT_EQ(window_.window.Width(), 401);
    EXPECT_EQ(window_.window.Height(), 422);
    EXPECT_TRUE(window_.window.Visible());
    EXPECT_TRUE(IsCentred());
    EXPECT_TRUE(window_.window.HasIcon());
    const Qt::WindowFlags flags = window_.window.widget()->windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(window_.window.widget()->minimumSize(), window_.window.widget()->maximumSize());
}

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThem) {
    struct Placed {
        const char* name;
        toolkit::Control& control;
        int left, top, width, height;
    };
    MainWindow& w = window_;
    const Placed table[] = {
        {"标签10", w.标签10, 9, 21, 63, 67},        {"组合框_省", w.组合框_省, 57, 17, 152, 20},
        {"组合框_市", w.组合框_市, 57, 54, 152, 20}, {"设置城市", w.设置城市, 224, 26, 72, 30},
        {"更新", w.更新, 317, 26, 72, 30},           {"组合框9", w.组合框9, 440, 16, 160, 20},
        {"组合框10", w.组合框10, 440, 48, 160, 20},  {"画板1", w.画板1, 8, 76, 374, 18},
        {"标签11", w.标签11, 80, 1, 288, 22},        {"高级选择夹1", w.高级选择夹1, 5, 96, 384, 274},
        {"标签1", w.标签1, 22, 55, 64, 24},          {"编辑框1", w.编辑框1, 80, 55, 184, 20},
        {"标签2", w.标签2, 22, 94, 64, 24},          {"组合框1", w.组合框1, 80, 96, 99, 20},
        {"组合框2", w.组合框2, 192, 96, 160, 20},    {"标签3", w.标签3, 24, 136, 64, 24},
        {"编辑框2", w.编辑框2, 80, 136, 184, 20},    {"标签4", w.标签4, 22, 176, 64, 24},
        {"组合框3", w.组合框3, 80, 176, 99, 20},     {"组合框4", w.组合框4, 192, 176, 160, 20},
        {"换乘查询", w.换乘查询, 64, 224, 264, 32},  {"标签5", w.标签5, 22, 55, 64, 24},
        {"编辑框3", w.编辑框3, 80, 55, 184, 20},     {"标签6", w.标签6, 22, 94, 64, 24},
        {"组合框5", w.组合框5, 80, 96, 99, 20},      {"组合框6", w.组合框6, 192, 96, 160, 20},
        {"线路查询", w.线路查询, 60, 157, 264, 32},  {"标签7", w.标签7, 22, 55, 64, 24},
        {"编辑框4", w.编辑框4, 80, 55, 184, 20},     {"标签8", w.标签8, 22, 94, 64, 24},
        {"组合框7", w.组合框7, 80, 96, 99, 20},      {"组合框8", w.组合框8, 192, 96, 160, 20},
        {"站点查询", w.站点查询, 60, 157, 264, 32},  {"关于", w.关于, 5, 34, 377, 238},
    };
    for (const Placed& p : table) {
        EXPECT_EQ(p.control.Left(), p.left) << p.name;
        EXPECT_EQ(p.control.Top(), p.top) << p.name;
        EXPECT_EQ(p.control.Width(), p.width) << p.name;
        EXPECT_EQ(p.control.Height(), p.height) << p.name;
    }
    EXPECT_EQ(w.状态条1.Top(), w.window.widget()->height() - 20);
    EXPECT_EQ(w.状态条1.Width(), w.window.widget()->width());
}

TEST_F(MainWindowTest, TextsHintsAndPages) {
    MainWindow& w = window_;
    EXPECT_EQ(w.标签10.Text(), "省名称：\r\n\r\n\r\n市名称：");
    EXPECT_EQ(w.标签11.Text(), "广告标签");
    EXPECT_FALSE(w.画板1.Visible());
    EXPECT_EQ(w.换乘查询.Text(), "换乘查询");
    struct Hint {
        toolkit::EditBox& box;
        const char* text;
    };
    for (const Hint& hint : {Hint{w.编辑框1, "请输入起点(如:永定门)"}, Hint{w.编辑框2, "请输入终点(如:奥体中心)"},
                             Hint{w.编辑框3, "请输入线路(如:11路)"}, Hint{w.编辑框4, "请输入站点(如:天安门)"}}) {
        EXPECT_EQ(hint.box.Text(), hint.text);
        EXPECT_EQ(hint.box.TextColour(), toolkit::kGrey);
    }
    const char* captions[] = {"站点换乘", "公交线路", "公交站点", "关于"};
    ASSERT_EQ(w.高级选择夹1.PageCount(), 4);
    for (int page = 0; page < 4; ++page) EXPECT_EQ(w.高级选择夹1.PageCaption(page), captions[page]);
    EXPECT_FALSE(w.关于.Enabled());
    for (toolkit::Timer* timer : {&w.消息显示时钟, &w.消息滑动时钟, &w.消息等待时钟}) {
        EXPECT_EQ(timer->Period(), 0);
    }
    // The working lists lie beyond the window's right edge, out of sight.
    EXPECT_GE(w.组合框9.Left(), w.window.widget()->width());
    EXPECT_GE(w.组合框10.Left(), w.window.widget()->width());
}

TEST_F(MainWindowTest, AboutTextHasNineteenLines) {
    const std::string text = app::AboutText();
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2) {
        lines.push_back(text.substr(from, at - from));
    }
    lines.push_back(text.substr(from));
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[5], std::string(18, ' ') + "出现法律后果与作者无关！");
    EXPECT_EQ(lines[10], std::string(5, ' ') + "预计更新：国庆节后将增加地铁与公交线路的合并查询方式");
    EXPECT_EQ(lines[14], std::string(41, ' ') + "版本：1.4.22");
    EXPECT_EQ(lines[15], std::string(62, '='));
    EXPECT_EQ(lines[17], std::string(43, ' ') + "Ostrel!");
    EXPECT_EQ(lines[18].substr(0, 32 + 7), std::string(32, ' ') + "http://");
    EXPECT_EQ(window_.关于.Text(), text);
}

TEST_F(MainWindowTest, MenuItemsAndTheirFirstVisibility) {
    const char* captions[] = {"显示主窗口(&S)", "隐藏主窗口(&S)", "站点换乘查询", "公交线路查询", "公交站点查询",
                              "显示悬浮窗",     "隐藏悬浮窗",     "关于(&A)",     "退出(&E)"};
    ASSERT_EQ(window_.菜单.ItemCount(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(window_.菜单.ItemCaption(i), captions[i]);
        EXPECT_EQ(window_.菜单.ItemVisible(i), i != app::kShowFloatWindowItem) << captions[i];
    }
}

TEST_F(MainWindowTest, HandlersSetBothMenusPairs) {
    window_.HideMainWindow();
    EXPECT_FALSE(window_.window.Visible());
    EXPECT_EQ(MainPair(), std::make_pair(true, false));
    EXPECT_EQ(float_window_.main_pair, std::make_pair(true, false));

    window_.ShowMainWindow();
    EXPECT_TRUE(window_.window.Visible());
    EXPECT_EQ(window_.window.State(), toolkit::WindowState::Normal);
    EXPECT_EQ(MainPair(), std::make_pair(false, true));
    EXPECT_EQ(float_window_.main_pair, std::make_pair(false, true));

    window_.HideFloatWindow();
    EXPECT_EQ(FloatPair(), std::make_pair(true, false));
    EXPECT_EQ(float_window_.float_pair, std::make_pair(true, false));
    EXPECT_FALSE(float_window_.visible);

    window_.ShowFloatWindow();
    EXPECT_EQ(FloatPair(), std::make_pair(false, true));
    EXPECT_EQ(float_window_.float_pair, std::make_pair(false, true));
    EXPECT_TRUE(float_window_.visible);
}

TEST_F(MainWindowTest, CloseEscAndMinimiseHideWithoutEnding) {
    window_.window.RequestClose();
    EXPECT_FALSE(window_.window.Visible());
    window_.ShowMainWindow();
    QTest::keyClick(window_.编辑框1.widget(), Qt::Key_Escape);
    EXPECT_FALSE(window_.window.Visible());
    window_.ShowMainWindow();
    window_.window.SetState(toolkit::WindowState::Minimised);  // the minimise button
    EXPECT_FALSE(window_.window.Visible());
    EXPECT_EQ(ends_, 0);
    // Each hiding redraws the strip's heading, red from then on.
    const auto drawn = window_.画板1.DrawnTexts();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().text, "相关文章：");
    EXPECT_EQ(window_.画板1.TextColour(), toolkit::kRed);
}

TEST_F(MainWindowTest, AboutWhileHiddenShowsTheAboutPageCentred) {
    window_.HideMainWindow();
    window_.window.Move(3, 3);
    window_.菜单.Choose(app::kAboutItem);
    EXPECT_TRUE(window_.window.Visible());
    EXPECT_EQ(window_.高级选择夹1.CurrentPage(), app::kAboutPage);
    EXPECT_TRUE(IsCentred());
    EXPECT_TRUE(RunEventsUntil([&] { return window_.window.IsActive(); }));
}

TEST_F(MainWindowTest, ShowWhileVisibleMovesBackToTheCentre) {
    window_.window.Move(7, 9);
    ASSERT_FALSE(IsCentred());
    window_.菜单.Choose(app::kShowMainWindowItem - 0);  // hidden item: nothing happens
    window_.ShowMainWindow();
    EXPECT_TRUE(IsCentred());
}

TEST_F(MainWindowTest, EnterMovesTheFocusOn) {
    window_.OpenTabPage(app::kTransferPage);
    window_.编辑框1.Focus();
    ASSERT_TRUE(RunEventsUntil([&] { return window_.编辑框1.HasFocus(); }));
    int queries = 0;
    window_.换乘查询.on_click = [&] { ++queries; };
    QTest::keyClick(window_.编辑框1.widget(), Qt::Key_Return);
    EXPECT_FALSE(window_.编辑框1.HasFocus());
    EXPECT_EQ(queries, 0);
}

TEST_F(MainWindowTest, FocusDropsAlwaysOnTop) {
    window_.window.SetAlwaysOnTop(true);
    window_.DropTopmostOnFocus();
    EXPECT_FALSE(window_.window.AlwaysOnTop());
}

TEST_F(MainWindowTest, ExitAndDestroyEndTheProgram) {
    window_.菜单.Choose(app::kExitItem);
    EXPECT_EQ(ends_, 1);
    window_.window.Destroy();
    EXPECT_EQ(ends_, 2);  // repeated requests to end are the program's to ignore
}

}  // namespace
