#pragma once

#include <functional>
#include <string>

// The balloon notices the catalogue update shows from the tray icon.
namespace catalogue {

// title, text, icon kind, delay before the balloon is taken down (ms), whether to take it down.
using ShowNoticeFn = std::function<void(const std::string& title, const std::string& text,
                                        int icon_kind, int delay_ms, bool clear)>;

// The information icon of the notification area: every notice of the update carries it.
inline constexpr int kInformationIcon = 1;

// Shows "正在更新..." with the text and the information icon, taken down after
// `clear_after_ms` when that is not 0. It runs on the window thread, like every change the
// update makes to the window, so notices and control changes keep their order whichever
// thread the update is on. False when the program is ending.
bool ShowUpdateNotice(const ShowNoticeFn& show_notice, const std::string& text,
                      int clear_after_ms = 0);

}  // namespace catalogue
