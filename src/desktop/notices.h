#pragma once

#include <string>

#include "desktop/tray_state.h"

namespace desktop {

constexpr unsigned kNoticeTimerId = 741852;

// Balloon notices on the tray icon: a title, a text and an icon kind, taken down again after
// a delay when asked. Calls from any thread are carried out on the window thread, one at a
// time, so the record is never written by two threads at once.
class Notices {
public:
    explicit Notices(TrayState& state) : state_(state) {}

    // Titles longer than 63 bytes and texts longer than 255 are cut, at a character boundary.
    void ShowNotice(const std::string& title, const std::string& text, int icon_kind,
                    int delay_milliseconds, bool clear_afterwards);
    // The routine of the clearing timer.
    void ClearNotice();

private:
    void PutInBalloon(const std::string& title, const std::string& text, int icon_kind);

    TrayState& state_;
};

}  // namespace desktop
