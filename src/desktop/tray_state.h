#pragma once

#include "toolkit/notify_icon.h"
#include "toolkit/window_messages.h"

// The tray icon's items of the shared state: one record for the whole run, which the tray
// icon and the balloon notices both write.
namespace desktop {

constexpr unsigned kTrayCallbackMessage = 123456;
constexpr std::uint32_t kTrayIconRecordSize = 488;

struct TrayState {
    toolkit::NotifyIconData tray_icon_data;         // TrayIconData
    toolkit::WindowHandle main_window_handle = 0;   // MainWindowHandle
    toolkit::WindowProcedure previous_window_proc;  // PreviousWindowProc; empty: not replaced
    unsigned taskbar_created_message = 0;           // TaskbarCreatedMessage

    // Back to all zero, as at start-up.
    void Release() { *this = TrayState{}; }
};

}  // namespace desktop
