// The tray icon and the balloon notices on a real main window, through the window-procedure
// layer: what reaches the procedure the icon replaced, the mouse messages, the re-add when the
// notification area returns, and the notice timer.
#include "desktop/tray_icon.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "desktop/notices.h"
#include "support/widget_test.h"
#include "toolkit/notify_icon.h"
#include "toolkit/window_messages.h"

namespace {

using testsupport::RunEventsUntil;
using toolkit::WindowHandle;

struct Message {
    unsigned message;
    std::uintptr_t wparam;
    std::intptr_t lparam;
};

constexpr toolkit::MessageResult kRecorderAnswer = 42;

class TrayIconTest : public ::testing::Test {
protected:
    TrayIconTest() {
        w_.Load([] {});
        // The procedure the icon will replace: records what reaches it, lets the default
        // procedure answer the icon question.
        default_procedure_ = toolkit::SetWindowProcedure(
            handle(), [this](WindowHandle h, unsigned m, std::uintptr_t wp, std::intptr_t lp) {
                reached_.push_back({m, wp, lp});
                if (m == toolkit::kWmGetIcon || m == toolkit::kWmDestroy) {
                    return toolkit::CallWindowProcedure(default_procedure_, h, m, wp, lp);
                }
                return kRecorderAnswer;
            });
        tray_.RegisterTaskbarMessage();
    }
    ~TrayIconTest() override { w_.菜单.Close(); }

    void Install() {
        tray_.CreateTrayIcon(handle(), [this](std::intptr_t m) { tray_.OnTrayMouse(m); });
        reached_.clear();
    }

    WindowHandle handle() { return w_.window.Handle(); }
    toolkit::NotifyIconState Icon() { return toolkit::NotifyIconStateOf(handle(), 1); }
    toolkit::MessageResult Mouse(std::intptr_t mouse) {
        return toolkit::SendWindowMessage(handle(), desktop::kTrayCallbackMessage, 1, mouse);
    }

    int ends_ = 0;
    app::MainWindow w_{[this] { ++ends_; }};
    desktop::TrayState state_;
    desktop::TrayIcon tray_{state_, w_.window, w_.菜单, [this] { ++ends_; }};
    desktop::Notices notices_{state_};
    toolkit::WindowProcedure default_procedure_;
    std::vector<Message> reached_;
};

TEST_F(TrayIconTest, InstallsTheIconWithTheWindowsSmallIconAndAnEmptyTip) {
    Install();
    const toolkit::NotifyIconData& data = state_.tray_icon_data;
    EXPECT_EQ(data.cbSize, 488u);
    EXPECT_EQ(data.hWnd, handle());
    EXPECT_EQ(data.uID, 1u);
    EXPECT_EQ(data.uFlags, 7u);
    EXPECT_EQ(data.uCallbackMessage, 123456u);
    EXPECT_NE(data.hIcon, 0u);
    EXPECT_EQ(state_.main_window_handle, handle());
    EXPECT_TRUE(state_.previous_window_proc);
    EXPECT_NE(state_.taskbar_created_message, 0u);
    EXPECT_EQ(state_.taskbar_created_message,
              toolkit::RegisterWindowMessage("TaskbarCreated"));

    const toolkit::NotifyIconState icon = Icon();
    EXPECT_TRUE(icon.exists);
    EXPECT_EQ(icon.callback_message, 123456u);
    EXPECT_EQ(icon.icon, data.hIcon);
    EXPECT_EQ(icon.tip, "");
    const auto calls = toolkit::NotifyIconCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().message, toolkit::kNimAdd);
    EXPECT_EQ(calls.back().flags, 7u);
}

TEST_F(TrayIconTest, OtherMessagesReachThePreviousProcedureUnchanged) {
    Install();
    const unsigned other = toolkit::RegisterWindowMessage("SomeOtherMessage");
    EXPECT_EQ(toolkit::SendWindowMessage(handle(), 0x0400, 7, -9), kRecorderAnswer);
    EXPECT_EQ(toolkit::SendWindowMessage(handle(), other, 1, 2), kRecorderAnswer);
    ASSERT_EQ(reached_.size(), 2u);
    EXPECT_EQ(reached_[0].message, 0x0400u);
    EXPECT_EQ(reached_[0].wparam, 7u);
    EXPECT_EQ(reached_[0].lparam, -9);
    EXPECT_EQ(reached_[1].message, other);

    // The icon's own message is answered by the icon and goes no further.
    EXPECT_EQ(Mouse(toolkit::kWmLButtonDown), 0);
    EXPECT_EQ(reached_.size(), 2u);
}

TEST_F(TrayIconTest, DoubleClickTogglesTheMainWindowAndOtherClicksDoNothing) {
    Install();
    ASSERT_TRUE(w_.window.Visible());
    for (std::intptr_t nothing : {toolkit::kWmLButtonDown, toolkit::kWmLButtonUp,
                                  toolkit::kWmRButtonUp}) {
        Mouse(nothing);
        EXPECT_TRUE(w_.window.Visible()) << nothing;
        EXPECT_FALSE(w_.菜单.IsShown()) << nothing;
    }

    Mouse(toolkit::kWmLButtonDblClk);
    EXPECT_FALSE(w_.window.Visible());

    Mouse(toolkit::kWmLButtonDblClk);
    EXPECT_TRUE(w_.window.Visible());
    EXPECT_EQ(w_.window.State(), toolkit::WindowState::Normal);
    EXPECT_TRUE(w_.window.AlwaysOnTop());

    // A window minimised on the taskbar counts as visible: it is hidden, not restored. (The
    // main window hides itself when minimised; unbound here to hold it on the taskbar.)
    w_.window.on_moved = nullptr;
    w_.window.SetState(toolkit::WindowState::Minimised);
    ASSERT_TRUE(w_.window.Visible());
    Mouse(toolkit::kWmLButtonDblClk);
    EXPECT_FALSE(w_.window.Visible());
}

TEST_F(TrayIconTest, HostsWithoutDoubleClicksGiveOneForTwoQuickActivations) {
    Install();
    std::vector<std::intptr_t> mice;
    toolkit::SetWindowProcedure(handle(), [&](WindowHandle, unsigned m, std::uintptr_t,
                                              std::intptr_t lp) -> toolkit::MessageResult {
        if (m == desktop::kTrayCallbackMessage) mice.push_back(lp);
        return 0;
    });
    toolkit::DeliverTrayActivation(handle(), 1, toolkit::TrayActivation::LeftClick);
    toolkit::DeliverTrayActivation(handle(), 1, toolkit::TrayActivation::LeftClick);
    toolkit::DeliverTrayActivation(handle(), 1, toolkit::TrayActivation::LeftClick);
    // A host that reports the double click itself after the first click.
    toolkit::DeliverTrayActivation(handle(), 1, toolkit::TrayActivation::DoubleClick);
    toolkit::DeliverTrayActivation(handle(), 1, toolkit::TrayActivation::RightClick);
    const std::vector<std::intptr_t> expected = {513, 514, 515, 514, 513, 514,
                                                 515, 514, 516, 517};
    EXPECT_EQ(mice, expected);
}

TEST_F(TrayIconTest, RightButtonSetsTheMenuPairFromVisibilityBeforePoppingUp) {
    Install();
    for (bool visible : {false, true}) {
        w_.window.SetVisible(visible);
        // Start from the wrong pair, so the handler has to set it.
        w_.菜单.SetItemVisible(app::kShowMainWindowItem, visible);
        w_.菜单.SetItemVisible(app::kHideMainWindowItem, !visible);
        Mouse(toolkit::kWmRButtonDown);
        EXPECT_EQ(w_.菜单.ItemVisible(app::kShowMainWindowItem), !visible);
        EXPECT_EQ(w_.菜单.ItemVisible(app::kHideMainWindowItem), visible);
        EXPECT_TRUE(w_.菜单.IsShown());
        w_.菜单.Close();
    }
}

TEST_F(TrayIconTest, TaskbarCreatedAfterANoticeReAddsTheIconWithItsFlags) {
    Install();
    notices_.ShowNotice("欢迎", "text", 1, 0, false);
    EXPECT_EQ(state_.tray_icon_data.uFlags, toolkit::kNifInfo);
    const std::uintptr_t icon = Icon().icon;

    EXPECT_EQ(toolkit::SendWindowMessage(handle(), state_.taskbar_created_message, 0, 0),
              kRecorderAnswer);
    EXPECT_EQ(state_.tray_icon_data.uFlags, 7u);
    const auto calls = toolkit::NotifyIconCalls();
    EXPECT_EQ(calls.back().message, toolkit::kNimAdd);
    EXPECT_EQ(calls.back().flags, 7u);
    EXPECT_EQ(Icon().icon, icon);
    EXPECT_EQ(Icon().callback_message, 123456u);
    // The message went on to the previous procedure too.
    ASSERT_EQ(reached_.size(), 1u);
    EXPECT_EQ(reached_[0].message, state_.taskbar_created_message);
    // And the icon still answers the mouse.
    Mouse(toolkit::kWmLButtonDblClk);
    EXPECT_FALSE(w_.window.Visible());
}

TEST_F(TrayIconTest, WithoutASmallIconNothingIsInstalled) {
    w_.window.SetIcon("");
    const std::size_t calls_before = toolkit::NotifyIconCalls().size();
    Install();
    EXPECT_EQ(state_.main_window_handle, handle());
    EXPECT_FALSE(state_.previous_window_proc);
    EXPECT_FALSE(Icon().exists);
    EXPECT_EQ(toolkit::NotifyIconCalls().size(), calls_before);
    // The recorder is still the window's procedure.
    EXPECT_EQ(toolkit::SendWindowMessage(handle(), 0x0400, 0, 0), kRecorderAnswer);
    // A notice then modifies an icon that is not there: nothing shows, the timer still runs.
    notices_.ShowNotice("t", "x", 1, 3000, true);
    EXPECT_FALSE(toolkit::NotifyIconCalls().back().succeeded);
    EXPECT_GT(toolkit::WindowTimerRemaining(handle(), desktop::kNoticeTimerId), 0);
}

TEST_F(TrayIconTest, NoticesAreCutAtTheirFieldsWithoutHalvingACharacter) {
    Install();
    std::string title, text = "a";
    for (int i = 0; i < 40; ++i) title += "欢";
    for (int i = 0; i < 200; ++i) text += "迎";
    notices_.ShowNotice(title, text, 1, 0, false);
    EXPECT_EQ(Icon().balloon_title, title.substr(0, 62));  // 31 whole characters of 63 bytes
    EXPECT_EQ(Icon().balloon_text, text.substr(0, 255));   // "a" and 127 characters
    EXPECT_EQ(Icon().balloon_flags, 1u);
    EXPECT_EQ(state_.tray_icon_data.dwInfoFlags, 1u);
}

TEST_F(TrayIconTest, ANoticeWithoutClearingGoesWithAnEarlierPendingClear) {
    Install();
    notices_.ShowNotice("first", "one", 1, 300, true);
    notices_.ShowNotice("second", "two", 1, 0, false);
    EXPECT_EQ(Icon().balloon_text, "two");
    EXPECT_GT(toolkit::WindowTimerRemaining(handle(), desktop::kNoticeTimerId), 0);
    ASSERT_TRUE(RunEventsUntil([&] { return Icon().balloon_text.empty(); }));
    EXPECT_EQ(Icon().balloon_title, "");
    EXPECT_EQ(Icon().balloon_flags, 0u);
    // The clear ran once and ended its timer.
    EXPECT_EQ(toolkit::WindowTimerRemaining(handle(), desktop::kNoticeTimerId), -1);
}

TEST_F(TrayIconTest, ASecondClearingNoticeRestartsTheCountdown) {
    Install();
    notices_.ShowNotice("t", "one", 1, 600, true);
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(400));
    notices_.ShowNotice("t", "two", 1, 600, true);
    EXPECT_GT(toolkit::WindowTimerRemaining(handle(), desktop::kNoticeTimerId), 400);
    // Past the first notice's deadline the balloon is still there.
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(350));
    EXPECT_EQ(Icon().balloon_text, "two");
    EXPECT_TRUE(RunEventsUntil([&] { return Icon().balloon_text.empty(); }));
}

TEST_F(TrayIconTest, NoticesFromWorkerThreadsNeverMixTheirTexts) {
    Install();
    const std::vector<std::string> texts = {std::string(200, 'a'), std::string(200, 'b'),
                                            std::string(200, 'c')};
    std::atomic<int> done{0};
    std::vector<std::thread> workers;
    for (const std::string& text : texts) {
        workers.emplace_back([&, text] {
            for (int i = 0; i < 50; ++i) notices_.ShowNotice("正在更新...", text, 1, 0, false);
            ++done;
        });
    }
    ASSERT_TRUE(RunEventsUntil([&] { return done.load() == 3; }));
    for (std::thread& worker : workers) worker.join();
    const std::string shown = Icon().balloon_text;
    EXPECT_TRUE(shown == texts[0] || shown == texts[1] || shown == texts[2]) << shown;
}

}  // namespace
