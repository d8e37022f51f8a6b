#include "desktop/notices.h"

#include "toolkit/notify_icon.h"
#include "toolkit/window_messages.h"
#include "toolkit/window_thread.h"

namespace desktop {

void Notices::ShowNotice(const std::string& title, const std::string& text, int icon_kind,
                         int delay_milliseconds, bool clear_afterwards) {
    toolkit::RunOnWindowThread([&] {
        PutInBalloon(title, text, icon_kind);
        if (!clear_afterwards) return;  // a clear still pending from an earlier notice stays
        toolkit::SetWindowTimer(state_.main_window_handle, kNoticeTimerId, delay_milliseconds,
                                [this](toolkit::WindowHandle, unsigned) { ClearNotice(); });
    });
}

void Notices::ClearNotice() {
    toolkit::RunOnWindowThread([&] {
        toolkit::KillWindowTimer(state_.main_window_handle, kNoticeTimerId);
        PutInBalloon("", "", static_cast<int>(toolkit::kNiifNone));
    });
}

void Notices::PutInBalloon(const std::string& title, const std::string& text, int icon_kind) {
    toolkit::NotifyIconData& data = state_.tray_icon_data;
    data.uFlags = toolkit::kNifInfo;
    toolkit::CopyToField(data.szInfoTitle, toolkit::kInfoTitleSize, title);
    toolkit::CopyToField(data.szInfo, toolkit::kInfoSize, text);
    data.dwInfoFlags = static_cast<std::uint32_t>(icon_kind);
    toolkit::ShellNotifyIcon(toolkit::kNimModify, data);
}

}  // namespace desktop
