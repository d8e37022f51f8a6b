#pragma once

#include <functional>

#include "desktop/float_window_link.h"
#include "toolkit/picture_box.h"
#include "toolkit/popup_menu.h"
#include "toolkit/timer.h"
#include "toolkit/window.h"
#include "toolkit/window_messages.h"

namespace desktop {

// What the floating window's menu does to the main window: the main window's own handlers of
// the same meaning, which set the items of both menus.
struct MainWindowActions {
    std::function<void()> show_main_window;
    std::function<void()> hide_main_window;
    std::function<void(int page)> open_tab_page;  // shows, focuses, selects the page
    std::function<void()> show_float_window;
    std::function<void()> hide_float_window;
    std::function<void()> end_program;
};

// A small always-on-top square that gives the program's commands without the main window.
// Dragged against the top of the screen it folds into a 3-pixel strip that opens while the
// mouse moves over it.
class FloatWindow : public FloatWindowLink {
public:
    FloatWindow(toolkit::Window& main_window, MainWindowActions actions);

    // Created event.
    void SetUpFloatWindow();
    void MakeLayered(std::uint32_t flags);
    void SetRoundRegion(toolkit::WindowHandle window, int width, int height, int corner_width,
                        int corner_height);

    // Event routines.
    void DockFloatWindow();
    void ExpandFloatWindow();
    void ToggleMainWindow();
    void ShowFloatMenu();

    // Menu actions, the twins of the main window's.
    void ShowMainWindow();
    void HideMainWindow();
    void OpenTabPage(int page);
    void ShowFloatWindow();
    void HideFloatWindow();

    // The main window's handlers keep this menu in step through these.
    void CopyMainWindowPair(bool show_item_visible, bool hide_item_visible) override;
    void CopyFloatWindowPair(bool show_item_visible, bool hide_item_visible) override;
    void SetFloatWindowVisible(bool visible) override;

    toolkit::Window window;
    toolkit::PictureBox 图片框2;
    toolkit::Timer 时钟1;
    toolkit::PopupMenu 菜单;

private:
    toolkit::Window& main_window_;
    MainWindowActions actions_;
};

}  // namespace desktop
