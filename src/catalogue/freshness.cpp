#include "catalogue/freshness.h"

#include <cmath>

#include "catalogue/store_paths.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "toolkit/button.h"
#include "toolkit/message_box.h"
#include "toolkit/status_bar.h"
#include "toolkit/window.h"

namespace catalogue {
namespace {

// Comparisons of the age in days allow for the rounding of the difference.
constexpr double kMargin = 1e-7;
constexpr double kFreshDays = 1;
constexpr double kStaleDays = 5;

}  // namespace

Freshness::Freshness(const FreshnessControls& controls, std::string program_directory,
                     Clock clock, std::atomic<bool>& first_run_update_started,
                     std::function<void()> download_catalogue)
    : c_(controls),
      program_directory_(std::move(program_directory)),
      clock_(std::move(clock)),
      first_run_update_started_(first_run_update_started),
      download_catalogue_(std::move(download_catalogue)) {}

bool Freshness::CheckFirstRun() {
    if (platform::PathExists(SettingsPath(program_directory_))) return false;
    if (!c_.questions.AskYesNo("信息：", "第一次运行软件，是否进行公交线路更新？")) return false;
    c_.main_window.SetState(toolkit::WindowState::Minimised);
    // Set before the download, which may run the whole update (and its freshness check)
    // before it returns.
    first_run_update_started_ = true;
    download_catalogue_();
    return true;
}

bool Freshness::CheckFreshness() {
    const std::string update = platform::GetPrivateProfileString(
        kSettingsSection, kUpdateKey, "", SettingsPath(program_directory_));
    const double days = DaysBetween(ParseDateTime(update), clock_());
    const int half_width = c_.main_window.Width() / 2;
    if (days - kFreshDays <= kMargin) {  // at most a day old, or dated in the future
        if (c_.status_bar.PaneCount() >= 1) {
            c_.status_bar.SetPaneText(0, "今日已更新");
        } else {
            c_.status_bar.AddPane("今日已更新", half_width);
        }
        c_.update_button.SetEnabled(false);
        return false;
    }
    const long long whole_days = static_cast<long long>(std::trunc(days));
    c_.status_bar.AddPane("已有" + std::to_string(whole_days) + "天未更新", half_width);
    if (days - kStaleDays > kMargin && !first_run_update_started_ &&
        c_.questions.AskYesNo("更新提示：", "公交线路已更新，是否立即更新？")) {
        c_.main_window.SetState(toolkit::WindowState::Minimised);
        download_catalogue_();
        first_run_update_started_ = false;
        return true;
    }
    return false;
}

}  // namespace catalogue
