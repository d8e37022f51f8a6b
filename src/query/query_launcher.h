#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include "catalogue/city_record.h"
#include "query/query_pages.h"
#include "query/result_page.h"
#include "query/result_window.h"

namespace toolkit {
class EditBox;
class PickList;
class Window;
}  // namespace toolkit

namespace query {

// The main window's controls a query reads.
struct QueryInputs {
    toolkit::PickList& province;  // 组合框_省
    toolkit::PickList& city;      // 组合框_市
    toolkit::EditBox& start_stop; // 编辑框1
    toolkit::EditBox& end_stop;   // 编辑框2
    toolkit::EditBox& line_name;  // 编辑框3
    toolkit::EditBox& stop_name;  // 编辑框4
};

// The title of a result window opened for a query of this kind (texts as the lists and boxes
// hold them).
std::string ResultWindowTitle(QueryKind kind, const std::string& province, const std::string& city,
                              const std::string& first_text, const std::string& second_text = "");

// Starts the three queries: opens and titles the result window when it is not open and runs
// the query on a detached thread of its own, so the window thread never waits for the site.
class QueryLauncher {
public:
    QueryLauncher(const QueryInputs& inputs, ResultWindow& result_window,
                  toolkit::Window& main_window, catalogue::CurrentCity& city, ResultPage& page,
                  std::mutex& query_lock);

    void LaunchQuery(QueryKind kind);

    // Starts `work` on a detached thread of its own; false when no thread could be made.
    // Tests replace it to see a refused thread.
    std::function<bool(std::function<void()> work)> start_thread = StartDetachedThread;
    static bool StartDetachedThread(std::function<void()> work);

    // The worker routines; each runs on its own thread.
    void TransferQuery();
    void LineQuery();
    void StationQuery();

    // Workers still running (they are never waited for; tests and the end look at this).
    int RunningWorkers() const { return running_workers_.load(); }

private:
    // Shows the fragment on the window thread, opening the result window again if the user
    // closed it while the page was loading.
    void ShowInResultWindow(const std::string& fragment);
    CityHost CurrentHost() const;

    QueryInputs inputs_;
    ResultWindow& result_window_;
    toolkit::Window& main_window_;
    catalogue::CurrentCity& city_;
    ResultPage& page_;
    std::mutex& query_lock_;
    std::atomic<int> running_workers_{0};
};

}  // namespace query
