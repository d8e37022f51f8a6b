#include "toolkit/window.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "support/widget_test.h"

namespace {

using toolkit::Window;
using toolkit::WindowState;

toolkit::WindowStyle FixedStyle() {
    toolkit::WindowStyle style;
    style.resizable = false;
    style.maximise_button = false;
    return style;
}

TEST(Window, CreatedEventRunsBeforeShowingAndMayHide) {
    Window shown(FixedStyle());
    bool created = false;
    shown.on_created = [&] {
        created = true;
        EXPECT_FALSE(shown.Visible());
    };
    shown.Load();
    EXPECT_TRUE(created);
    EXPECT_TRUE(shown.Visible());

    Window hidden(FixedStyle());
    hidden.on_created = [&] { hidden.SetVisible(false); };
    hidden.Load();
    EXPECT_FALSE(hidden.Visible());
}

TEST(Window, OuterGeometryAndCaption) {
    Window window(FixedStyle());
    window.SetGeometry(10, 20, 401, 422);
    window.SetCaption("Kelvane － Tarnbay");
    window.Load();
    EXPECT_EQ(window.Width(), 401);
    EXPECT_EQ(window.Height(), 422);
    EXPECT_EQ(window.Caption(), "Kelvane － Tarnbay");
}

TEST(Window, StateSetWhileHiddenTakesEffectWhenShown) {
    Window window(FixedStyle());
    window.SetGeometry(0, 0, 200, 100);
    window.Load();
    window.SetVisible(false);
    window.SetState(WindowState::Minimised);
    window.SetVisible(true);
    EXPECT_TRUE(testsupport::RunEventsUntil([&] { return window.widget()->isMinimized(); }));
    EXPECT_EQ(window.State(), WindowState::Minimised);

    window.SetVisible(false);
    window.Move(0, 0);
    window.SetState(WindowState::Centred);
    EXPECT_EQ(window.Left(), 0);  // nothing moves while hidden
    window.SetVisible(true);
    EXPECT_EQ(window.State(), WindowState::Normal);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window.Left(), area.x() + (area.width() - 200) / 2);
}

TEST(Window, CentredMovesToTheScreenCentreAndReadsNormal) {
    Window window(FixedStyle());
    window.SetGeometry(0, 0, 200, 100);
    window.Load();
    window.SetState(WindowState::Minimised);
    window.SetState(WindowState::Centred);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window.Left(), area.x() + (area.width() - 200) / 2);
    EXPECT_EQ(window.Top(), area.y() + (area.height() - 100) / 2);
    EXPECT_EQ(window.State(), WindowState::Normal);
}

TEST(Window, MinimisingRaisesThePositionEvent) {
    Window window(FixedStyle());
    window.Load();
    bool minimised_seen = false;
    window.on_moved = [&] { minimised_seen = window.State() == WindowState::Minimised; };
    window.SetState(WindowState::Minimised);
    EXPECT_TRUE(minimised_seen);
}

TEST(Window, CloseRequestMayBeRefused) {
    Window window(FixedStyle());
    int requests = 0;
    window.on_close_request = [&] {
        ++requests;
        return false;
    };
    window.Load();
    window.RequestClose();
    QTest::keyClick(window.widget(), Qt::Key_Escape);
    EXPECT_EQ(requests, 2);
    EXPECT_TRUE(window.Visible());

    window.on_close_request = [] { return true; };
    window.RequestClose();
    EXPECT_FALSE(window.Visible());
}

TEST(Window, AlwaysOnTopKeepsTheWindowShown) {
    Window window(FixedStyle());
    window.Load();
    window.SetAlwaysOnTop(true);
    EXPECT_TRUE(window.AlwaysOnTop());
    EXPECT_TRUE(window.Visible());
    window.SetAlwaysOnTop(false);
    EXPECT_FALSE(window.AlwaysOnTop());
}

TEST(Window, DestroyRaisesTheEventOnce) {
    Window window(FixedStyle());
    int destroyed = 0;
    window.on_destroyed = [&] { ++destroyed; };
    window.Load();
    window.Destroy();
    window.Destroy();
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(window.Loaded());
    window.Load();  // a destroyed window can be loaded again
    EXPECT_TRUE(window.Visible());
}

TEST(Window, DragAnywhereMovesTheWindow) {
    Window window(FixedStyle());
    window.SetGeometry(100, 100, 120, 60);
    window.SetDragAnywhere(true);
    window.Load();
    QTest::mousePress(window.widget(), Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 40), window.widget()->mapToGlobal(QPointF(30, 40)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.widget(), &move);
    QTest::mouseRelease(window.widget(), Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_EQ(window.Left(), 120);
    EXPECT_EQ(window.Top(), 130);
}

}  // namespace
