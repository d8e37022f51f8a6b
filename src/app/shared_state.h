#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "catalogue/city_record.h"
#include "catalogue/city_selection.h"
#include "desktop/tray_state.h"

namespace app {

// What the pieces of the program share for the whole run. One instance, owned by the
// program object and handed by reference to the pieces that use it.
struct SharedState {
    // Held only while a query's worker thread is being created; ready once start-up
    // initialised it.
    std::mutex query_lock;
    bool query_lock_ready = false;

    catalogue::CurrentCity city_record;
    catalogue::CityLists city_lists;

    int news_interval = 0;  // milliseconds
    std::vector<std::string> news_titles;
    std::vector<std::string> news_links;
    int news_index = 0;

    // TrayIconData, MainWindowHandle, PreviousWindowProc, TaskbarCreatedMessage.
    desktop::TrayState tray;

    std::string settings_path;
    // FirstRunUpdateStarted: the first-run question started an update (read again when an
    // update ends, on its split thread).
    std::atomic<bool> first_run_update_started{false};

    // Empties every item; the program's end routine. Items guarded by their own locks are
    // emptied under them, so a worker still running sees a whole, empty value.
    void Release();
};

}  // namespace app
