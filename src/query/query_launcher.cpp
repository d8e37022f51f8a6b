#include "query/query_launcher.h"

#include <system_error>
#include <thread>

#include "toolkit/edit_box.h"
#include "toolkit/pick_list.h"
#include "toolkit/window_thread.h"

namespace query {

std::string ResultWindowTitle(QueryKind kind, const std::string& province, const std::string& city,
                              const std::string& first_text, const std::string& second_text) {
    const std::string place = "当前城市：" + province + "省  --> " + city;
    switch (kind) {
        case QueryKind::Transfer:
            return place + "市       公交换乘： 从  " + first_text + "  到  " + second_text;
        case QueryKind::Line:
            return place + "市       线路查询： " + first_text;
        case QueryKind::Station:
            return place + "市       站点查询： " + first_text;
    }
    return place;
}

QueryLauncher::QueryLauncher(const QueryInputs& inputs, ResultWindow& result_window,
                             toolkit::Window& main_window, catalogue::CurrentCity& city,
                             ResultPage& page, std::mutex& query_lock)
    : inputs_(inputs),
      result_window_(result_window),
      main_window_(main_window),
      city_(city),
      page_(page),
      query_lock_(query_lock) {}

void QueryLauncher::LaunchQuery(QueryKind kind) {
    if (!result_window_.IsOpen()) {
        result_window_.Open(main_window_);
        const std::string province = inputs_.province.Text();
        const std::string city = inputs_.city.Text();
        switch (kind) {
            case QueryKind::Transfer:
                result_window_.window.SetCaption(ResultWindowTitle(
                    kind, province, city, inputs_.start_stop.Text(), inputs_.end_stop.Text()));
                break;
            case QueryKind::Line:
                result_window_.window.SetCaption(
                    ResultWindowTitle(kind, province, city, inputs_.line_name.Text()));
                break;
            case QueryKind::Station:
                result_window_.window.SetCaption(
                    ResultWindowTitle(kind, province, city, inputs_.stop_name.Text()));
                break;
        }
    }
    std::lock_guard lock(query_lock_);
    ++running_workers_;
    const bool started = start_thread([this, kind] {
        switch (kind) {
            case QueryKind::Transfer: TransferQuery(); break;
            case QueryKind::Line: LineQuery(); break;
            case QueryKind::Station: StationQuery(); break;
        }
        --running_workers_;
    });
    // No thread, no query: the window stays as it was opened and titled.
    if (!started) --running_workers_;
}

bool QueryLauncher::StartDetachedThread(std::function<void()> work) {
    try {
        std::thread(std::move(work)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

CityHost QueryLauncher::CurrentHost() const {
    // One snapshot: a city picked at this moment gives the old host or the new, never a mix.
    const catalogue::CityRecord record = city_.Snapshot();
    return CityHost{record.city, record.domain};
}

void QueryLauncher::ShowInResultWindow(const std::string& fragment) {
    toolkit::RunOnWindowThread([&] {
        if (!result_window_.IsOpen()) result_window_.Open(main_window_);
        page_.Show(fragment);
    });
}

void QueryLauncher::TransferQuery() {
    const std::string start = inputs_.start_stop.Text();
    const std::string end = inputs_.end_stop.Text();
    ShowInResultWindow(FetchTransferFragment(CurrentHost(), start, end));
}

void QueryLauncher::LineQuery() {
    ShowInResultWindow(FetchLineFragment(CurrentHost(), inputs_.line_name.Text()));
}

void QueryLauncher::StationQuery() {
    ShowInResultWindow(FetchStationFragment(CurrentHost(), inputs_.stop_name.Text()));
}

}  // namespace query
