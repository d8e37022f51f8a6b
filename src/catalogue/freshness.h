#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "catalogue/date_time.h"

namespace toolkit {
class Button;
class MessageBox;
class StatusBar;
class Window;
}  // namespace toolkit

// The two checks that offer the catalogue update without the user pressing 更新: on the first
// run, and when the local data are more than five days old.
namespace catalogue {

// The controls the checks work on, by their layout names.
struct FreshnessControls {
    toolkit::Window& main_window;
    toolkit::StatusBar& status_bar;  // 状态条1: pane 0 shows the age of the data
    toolkit::Button& update_button;  // 更新, disabled for the rest of the run when data are fresh
    toolkit::MessageBox& questions;  // the Yes/No question
};

class Freshness {
public:
    // `first_run_update_started` is the program's FirstRunUpdateStarted: true once the
    // first-run question started an update; while true the freshness question is not asked.
    Freshness(const FreshnessControls& controls, std::string program_directory, Clock clock,
              std::atomic<bool>& first_run_update_started,
              std::function<void()> download_catalogue);

    // Without a settings file, asks whether to update; true when it started an update.
    bool CheckFirstRun();

    // Shows the age of the data in the status bar and, when they are more than five days old,
    // asks whether to update; true when it started an update.
    bool CheckFreshness();

private:
    FreshnessControls c_;
    std::string program_directory_;
    Clock clock_;
    std::atomic<bool>& first_run_update_started_;
    std::function<void()> download_catalogue_;
};

}  // namespace catalogue
