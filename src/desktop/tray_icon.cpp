#include "desktop/tray_icon.h"

#include <utility>

#include "desktop/menu_items.h"
#include "toolkit/notify_icon.h"
#include "toolkit/popup_menu.h"
#include "toolkit/window.h"

namespace desktop {

TrayIcon::TrayIcon(TrayState& state, toolkit::Window& main_window, toolkit::PopupMenu& main_menu,
                   std::function<void()> end_program)
    : state_(state),
      main_window_(main_window),
      main_menu_(main_menu),
      end_program_(std::move(end_program)) {}

void TrayIcon::RegisterTaskbarMessage() {
    state_.taskbar_created_message = toolkit::RegisterWindowMessage(toolkit::kTaskbarCreatedName);
}

void TrayIcon::CreateTrayIcon(toolkit::WindowHandle window, MouseHandler handler) {
    state_.main_window_handle = window;
    const auto small_icon = static_cast<std::uintptr_t>(
        toolkit::SendWindowMessage(window, toolkit::kWmGetIcon, toolkit::kIconSmall, 0));
    if (small_icon == 0) return;
    state_.previous_window_proc = toolkit::SetWindowProcedure(
        window, [this](toolkit::WindowHandle w, unsigned message, std::uintptr_t wparam,
                       std::intptr_t lparam) { return TrayWindowProc(w, message, wparam, lparam); });
    mouse_handler_ = std::move(handler);

    toolkit::NotifyIconData& data = state_.tray_icon_data;
    data.cbSize = kTrayIconRecordSize;
    data.hWnd = window;
    data.uID = 1;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = small_icon;
    toolkit::CopyToField(data.szTip, toolkit::kTipSize, "");
    AddIcon();
}

void TrayIcon::AddIcon() {
    state_.tray_icon_data.uFlags = toolkit::kNifMessage | toolkit::kNifIcon | toolkit::kNifTip;
    toolkit::ShellNotifyIcon(toolkit::kNimAdd, state_.tray_icon_data);
}

toolkit::MessageResult TrayIcon::TrayWindowProc(toolkit::WindowHandle window, unsigned message,
                                                std::uintptr_t wparam, std::intptr_t lparam) {
    if (message == toolkit::kWmDestroy) {
        RemoveTrayIcon();
        // RemoveTrayIcon put the previous procedure back: the message goes on to it.
        toolkit::CallWindowProcedure(toolkit::GetWindowProcedure(window), window, message, wparam,
                                     lparam);
        if (end_program_) end_program_();
        return 0;
    }
    if (message == kTrayCallbackMessage) {
        if (mouse_handler_) mouse_handler_(lparam);
        return 0;
    }
    if (message == state_.taskbar_created_message && message != 0) AddIcon();
    return toolkit::CallWindowProcedure(state_.previous_window_proc, window, message, wparam,
                                        lparam);
}

void TrayIcon::RemoveTrayIcon() {
    toolkit::SetWindowProcedure(state_.main_window_handle, std::move(state_.previous_window_proc));
    state_.previous_window_proc = nullptr;
    toolkit::ShellNotifyIcon(toolkit::kNimDelete, state_.tray_icon_data);
}

void TrayIcon::OnTrayMouse(std::intptr_t mouse_message) {
    if (mouse_message == toolkit::kWmLButtonDblClk) {
        if (main_window_.Visible()) {
            main_window_.SetVisible(false);
            main_window_.SetState(toolkit::WindowState::Minimised);
        } else {
            main_window_.SetVisible(true);
            main_window_.SetState(toolkit::WindowState::Normal);
            main_window_.SetAlwaysOnTop(true);
        }
        return;
    }
    if (mouse_message == toolkit::kWmRButtonDown) {
        const bool visible = main_window_.Visible();
        main_menu_.SetItemVisible(kShowMainWindowItem, !visible);
        main_menu_.SetItemVisible(kHideMainWindowItem, visible);
        main_menu_.PopUpAtMouse();
    }
}

}  // namespace desktop
