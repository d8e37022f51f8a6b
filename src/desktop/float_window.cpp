#include "desktop/float_window.h"

#include <utility>

#include "desktop/menu_items.h"

namespace desktop {
namespace {

constexpr int kSide = 40;
constexpr int kFoldedHeight = 3;
constexpr int kCorner = 5;
constexpr std::uint8_t kAlpha = 200;
constexpr std::uint32_t kUnusedColourKey = 123456;
constexpr int kDockPeriodMilliseconds = 1000;
constexpr int kPictureOverhang = 5;

toolkit::WindowStyle FloatWindowStyle() {
    toolkit::WindowStyle style;
    style.resizable = false;
    style.minimise_button = false;
    style.maximise_button = false;
    style.taskbar_button = false;
    style.title_bar = false;
    style.esc_requests_close = false;
    return style;
}

}  // namespace

FloatWindow::FloatWindow(toolkit::Window& main_window, MainWindowActions actions)
    : window(FloatWindowStyle()),
      图片框2(window.widget()),
      main_window_(main_window),
      actions_(std::move(actions)) {
    window.SetGeometry(50, 50, kSide, kSide);
    window.SetState(toolkit::WindowState::Centred);  // SetUpFloatWindow places it at once
    window.SetDragAnywhere(true);
    window.on_created = [this] { SetUpFloatWindow(); };
    window.on_mouse = [this](const toolkit::MouseEvent& event) {
        if (event.action == toolkit::MouseAction::Move) ExpandFloatWindow();
    };

    图片框2.SetGeometry(-kPictureOverhang, -kPictureOverhang, kSide + 2 * kPictureOverhang,
                        kSide + 2 * kPictureOverhang);
    图片框2.SetPictureFile(":/tarnbay/float.png");
    图片框2.on_mouse = [this](const toolkit::MouseEvent& event) {
        if (event.action == toolkit::MouseAction::Press &&
            event.button == toolkit::MouseButton::Right) {
            ShowFloatMenu();
        } else if (event.action == toolkit::MouseAction::DoubleClick &&
                   event.button == toolkit::MouseButton::Left) {
            ToggleMainWindow();
        } else if (event.action == toolkit::MouseAction::Move) {
            ExpandFloatWindow();
        }
    };

    时钟1.on_tick = [this] { DockFloatWindow(); };
    时钟1.SetPeriod(kDockPeriodMilliseconds);

    菜单.AddItem("显示主窗口(&S)", [this] { ShowMainWindow(); });
    菜单.AddItem("隐藏主窗口(&H)", [this] { HideMainWindow(); });
    菜单.AddItem("站点换乘查询", [this] { OpenTabPage(kTransferPage); });
    菜单.AddItem("公交线路查询", [this] { OpenTabPage(kLinePage); });
    菜单.AddItem("公交站点查询", [this] { OpenTabPage(kStationPage); });
    菜单.AddItem("显示悬浮窗", [this] { ShowFloatWindow(); });
    菜单.AddItem("隐藏悬浮窗", [this] { HideFloatWindow(); });
    菜单.AddItem("关于(&A)", [this] { OpenTabPage(kAboutPage); });
    菜单.AddItem("退出(&E)", [this] {
        if (actions_.end_program) actions_.end_program();
    });
    菜单.SetItemVisible(kHideMainWindowItem, false);
    菜单.SetItemVisible(kShowFloatWindowItem, false);
}

void FloatWindow::SetUpFloatWindow() {
    MakeLayered(toolkit::kLwaAlpha);
    window.SetAlwaysOnTop(true);
    SetRoundRegion(window.Handle(), window.Width(), window.Height(), kCorner, kCorner);
    const int left = static_cast<int>(toolkit::GetSystemMetrics(toolkit::kSmCxScreen) * 0.8);
    const int top = static_cast<int>(toolkit::GetSystemMetrics(toolkit::kSmCyScreen) * 0.2);
    window.Move(left, top);
}

void FloatWindow::MakeLayered(std::uint32_t flags) {
    toolkit::SetWindowExtendedStyle(window.Handle(), toolkit::kWsExLayered);
    toolkit::SetLayeredWindowAttributes(window.Handle(), kUnusedColourKey, kAlpha, flags);
}

void FloatWindow::SetRoundRegion(toolkit::WindowHandle handle, int width, int height,
                                 int corner_width, int corner_height) {
    toolkit::SetRoundRectRegion(handle, width, height, corner_width, corner_height);
}

void FloatWindow::DockFloatWindow() {
    if (window.Top() <= 0) {
        window.SetGeometry(window.Left(), window.Top(), window.Width(), kFoldedHeight);
        SetRoundRegion(window.Handle(), kSide, kSide, 0, 0);
    }
    if (window.Top() > 0) {
        window.SetGeometry(window.Left(), window.Top(), window.Width(), kSide);
        SetRoundRegion(window.Handle(), window.Width(), window.Height(), kCorner, kCorner);
    }
}

void FloatWindow::ExpandFloatWindow() {
    if (window.Height() == kSide) return;
    window.SetGeometry(window.Left(), window.Top(), window.Width(), kSide);
}

void FloatWindow::ToggleMainWindow() {
    if (main_window_.Visible()) {
        main_window_.SetState(toolkit::WindowState::Minimised);
        main_window_.SetVisible(false);
    } else {
        main_window_.SetVisible(true);
        main_window_.SetState(toolkit::WindowState::Centred);
    }
}

void FloatWindow::ShowFloatMenu() {
    const bool visible = main_window_.Visible();
    菜单.SetItemVisible(kShowMainWindowItem, !visible);
    菜单.SetItemVisible(kHideMainWindowItem, visible);
    菜单.PopUpAtMouse();
}

// The main window's handlers set the pairs of both menus and call back into this window
// through the link, so each action is written once.
void FloatWindow::ShowMainWindow() {
    if (actions_.show_main_window) actions_.show_main_window();
}

void FloatWindow::HideMainWindow() {
    if (actions_.hide_main_window) actions_.hide_main_window();
}

void FloatWindow::OpenTabPage(int page) {
    if (actions_.open_tab_page) actions_.open_tab_page(page);
}

void FloatWindow::ShowFloatWindow() {
    if (actions_.show_float_window) actions_.show_float_window();
}

void FloatWindow::HideFloatWindow() {
    if (actions_.hide_float_window) actions_.hide_float_window();
}

void FloatWindow::CopyMainWindowPair(bool show_item_visible, bool hide_item_visible) {
    菜单.SetItemVisible(kShowMainWindowItem, show_item_visible);
    菜单.SetItemVisible(kHideMainWindowItem, hide_item_visible);
}

void FloatWindow::CopyFloatWindowPair(bool show_item_visible, bool hide_item_visible) {
    菜单.SetItemVisible(kShowFloatWindowItem, show_item_visible);
    菜单.SetItemVisible(kHideFloatWindowItem, hide_item_visible);
}

void FloatWindow::SetFloatWindowVisible(bool visible) { window.SetVisible(visible); }

}  // namespace desktop
