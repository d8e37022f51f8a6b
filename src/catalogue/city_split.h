#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "catalogue/city_line_index.h"
#include "catalogue/date_time.h"
#include "catalogue/update_notice.h"

namespace toolkit {
class PickList;
class StatusBar;
class TabControl;
class Window;
}  // namespace toolkit

// The second stage of the catalogue update: each province's city lines written as city files,
// one province per detached thread, and the end of the update.
namespace catalogue {

// The main window's controls the update works on, by their layout names.
struct UpdateControls {
    toolkit::Window& main_window;
    toolkit::TabControl& query_pages;  // 高级选择夹1, disabled while an update runs
    toolkit::StatusBar& status_bar;    // 状态条1; pane 1 shows the progress
    toolkit::PickList& headings;       // 组合框9: the provinces; selected = being processed
    toolkit::PickList& city_names;     // 组合框10: the cities of that province
};

// What the split hands over to the other pieces of the program.
struct SplitSteps {
    std::function<void()> collect_next_province;  // CollectProvinceCities
    std::function<void()> rebuild_city_lists;     // RebuildCityLists
    std::function<void()> check_freshness;        // CheckFreshness
};

class CitySplit {
public:
    CitySplit(const UpdateControls& controls, std::string program_directory, Clock clock,
              ShowNoticeFn show_notice, SplitSteps steps);

    // Marks an update as running; false, and nothing changes, while one runs already. Only one
    // update may run at a time: it owns the working lists, tmp.dat and the disabled tab control.
    bool BeginUpdate();
    bool UpdateRunning() const { return update_running_.load(); }

    // Starts SplitProvinceFiles on a new detached thread and returns at once.
    void StartCitySplit();

    // Writes the city files of the selected province, then hands over to the next province or,
    // after the last one, ends the update. Runs on its own thread; every change to a control
    // runs on the window thread and completes before the split goes on. Once the program is
    // ending, the window thread refuses such calls and the split stops there.
    void SplitProvinceFiles();

    // Ends an update that cannot go on (the catalogue page lacks the province's block): the
    // query pages are enabled again, the progress pane and a notice say it failed, tmp.dat
    // goes and the main window is shown, as at the end of a completed update. "Update" keeps
    // its old value; the city files written so far stay.
    void EndFailedUpdate();

    // Split threads still running (never waited for; tests and benchmarks look at this).
    int RunningSplits() const { return running_splits_.load(); }

private:
    // The last steps both ends share: the progress pane, a notice taken down after 3 s, the
    // query pages enabled. False when the program is ending.
    bool ReportEnd(const std::string& text);
    void EndUpdate();
    void ShowMainWindowCentred();
    // The update is over: another may start; the next one indexes its own tmp.dat.
    void ReleaseUpdate();

    UpdateControls c_;
    std::string program_directory_;
    Clock clock_;
    ShowNoticeFn show_notice_;
    SplitSteps steps_;
    std::atomic<bool> update_running_{false};
    std::atomic<int> running_splits_{0};
    // tmp.dat indexed once per update, by the first split; the splits of one update run one
    // after the other, so it needs no lock.
    std::optional<CityLineIndex> lines_;
};

// True for a name that may stand as one directory or file name below the data directory: not
// empty, not "." or "..", no zero byte and no '/' or '\' at a character boundary.
bool IsStoreName(const std::string& name);

}  // namespace catalogue
