#pragma once

#include <cstdint>
#include <functional>

#include "desktop/tray_state.h"
#include "toolkit/window_messages.h"

namespace toolkit {
class PopupMenu;
class Window;
}  // namespace toolkit

namespace desktop {

// The program's icon in the notification area: it shows the main window's small icon, a
// double click shows or hides the main window, the right button pops up the main window's
// menu. It takes over the main window's procedure to hear the icon, to put the icon back
// when the notification area returns and to remove it when the main window ends.
class TrayIcon {
public:
    using MouseHandler = std::function<void(std::intptr_t mouse_message)>;

    // `end_program` ends the program with exit code 0.
    TrayIcon(TrayState& state, toolkit::Window& main_window, toolkit::PopupMenu& main_menu,
             std::function<void()> end_program);

    void RegisterTaskbarMessage();
    void CreateTrayIcon(toolkit::WindowHandle window, MouseHandler handler);
    toolkit::MessageResult TrayWindowProc(toolkit::WindowHandle window, unsigned message,
                                          std::uintptr_t wparam, std::intptr_t lparam);
    void RemoveTrayIcon();
    void OnTrayMouse(std::intptr_t mouse_message);

private:
    void AddIcon();

    TrayState& state_;
    toolkit::Window& main_window_;
    toolkit::PopupMenu& main_menu_;
    std::function<void()> end_program_;
    MouseHandler mouse_handler_;
};

}  // namespace desktop
