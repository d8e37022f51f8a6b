#include "catalogue/city_split.h"

#include <thread>
#include <vector>

#include "catalogue/store_paths.h"
#include "net/text_search.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "toolkit/pick_list.h"
#include "toolkit/status_bar.h"
#include "toolkit/tab_control.h"
#include "toolkit/window.h"
#include "toolkit/window_thread.h"

namespace catalogue {
namespace {

constexpr int kProgressPane = 1;
constexpr int kEndNoticeMs = 3000;

void Run(const std::function<void()>& step) {
    if (step) step();
}

// What one split reads of the working lists, in one visit to the window thread.
struct ProvinceWork {
    std::string province;
    std::vector<std::string> city_names;
    bool last = true;  // the selected heading is the last one
};

}  // namespace

bool IsStoreName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.find('\0') != std::string::npos) {
        return false;
    }
    // A backslash may be the second byte of a two-byte character; only a whole one counts.
    return net::FindText(name, "/") == net::npos && net::FindText(name, "\\") == net::npos;
}

CitySplit::CitySplit(const UpdateControls& controls, std::string program_directory, Clock clock,
                     ShowNoticeFn show_notice, SplitSteps steps)
    : c_(controls),
      program_directory_(std::move(program_directory)),
      clock_(std::move(clock)),
      show_notice_(std::move(show_notice)),
      steps_(std::move(steps)) {}

bool CitySplit::BeginUpdate() {
    bool running = false;
    return update_running_.compare_exchange_strong(running, true);
}

void CitySplit::ReleaseUpdate() {
    lines_.reset();
    update_running_ = false;
}

void CitySplit::StartCitySplit() {
    ++running_splits_;
    std::thread([this] {
        SplitProvinceFiles();
        --running_splits_;
    }).detach();
}

void CitySplit::SplitProvinceFiles() {
    ProvinceWork work;
    const bool read = toolkit::RunOnWindowThread([&] {
        work.province = c_.headings.Text();
        for (int i = 0; i < c_.city_names.Count(); ++i) {
            work.city_names.push_back(c_.city_names.EntryText(i));
        }
        work.last = c_.headings.CurrentIndex() >= c_.headings.Count() - 1;
    });
    if (!read) return;  // the program is ending

    const std::string data = DataDirectory(program_directory_);
    platform::CreateDirectory(data);
    if (!lines_) lines_ = CityLineIndex::FromFile(CatalogueDownloadPath(program_directory_));
    // Names come from the site: one that would lead out of the data directory is skipped.
    if (IsStoreName(work.province)) {
        bool province_made = false;  // only a province with a city found gets a directory
        for (const std::string& name : work.city_names) {
            if (!IsStoreName(name)) continue;
            const std::string* line = lines_->FirstLineWith(name);
            if (line == nullptr) continue;
            if (!province_made) {
                province_made =
                    platform::CreateDirectory(data + platform::kPathSeparator + work.province);
            }
            platform::WriteWholeFile(CityFilePath(program_directory_, work.province, name), *line);
        }
    }

    if (work.last) {
        EndUpdate();
        return;
    }
    const bool moved_on = toolkit::RunOnWindowThread(
        [&] { c_.headings.SetCurrentIndex(c_.headings.CurrentIndex() + 1); });
    if (moved_on) Run(steps_.collect_next_province);
}

bool CitySplit::ReportEnd(const std::string& text) {
    return toolkit::RunOnWindowThread([&] {
        c_.status_bar.SetPaneText(kProgressPane, text);
        ShowUpdateNotice(show_notice_, text, kEndNoticeMs);
        c_.query_pages.SetEnabled(true);
    });
}

void CitySplit::ShowMainWindowCentred() {
    toolkit::RunOnWindowThread([&] {
        c_.main_window.SetVisible(true);
        c_.main_window.SetState(toolkit::WindowState::Centred);
    });
}

void CitySplit::EndUpdate() {
    if (!ReportEnd("更新完成...")) return;
    platform::WritePrivateProfileString(kSettingsSection, kUpdateKey, FormatDateTime(clock_()),
                                        SettingsPath(program_directory_));
    platform::DeleteFile(CatalogueDownloadPath(program_directory_));
    Run(steps_.rebuild_city_lists);
    ReleaseUpdate();
    // On the window thread as a whole: its question is the window's, and a Yes starts the
    // next download there.
    toolkit::RunOnWindowThread([&] { Run(steps_.check_freshness); });
    ShowMainWindowCentred();
}

void CitySplit::EndFailedUpdate() {
    if (!ReportEnd("更新失败...")) return;
    platform::DeleteFile(CatalogueDownloadPath(program_directory_));
    ReleaseUpdate();
    ShowMainWindowCentred();
}

}  // namespace catalogue
