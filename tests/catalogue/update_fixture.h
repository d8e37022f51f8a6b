#pragma once

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/catalogue_download.h"
#include "catalogue/city_split.h"
#include "support/recording_server.h"
#include "support/temp_dir.h"
#include "support/widget_test.h"
#include "toolkit/pick_list.h"
#include "toolkit/status_bar.h"
#include "toolkit/tab_control.h"
#include "toolkit/window.h"

namespace catalogue_test {

struct Province {
    std::string heading;
    std::vector<std::string> cities;
};

// A catalogue page as the site writes it: the title heading and a first block, then a heading
// and a block per province, one script link per city.
inline std::string CataloguePage(const std::vector<Province>& provinces) {
    std::string page = "<h1>>Kelvane</h1>\r\n<ul><li>请选择您所在的城市</li></ul>\r\n";
    for (const Province& province : provinces) {
        page += "<h1>" + province.heading + "</h1>\r\n<ul>";
        for (const std::string& city : province.cities) {
            page += "<li><a href=http://x.localhost/><strong>" + city + "</strong></a></li>";
        }
        page += "</ul>\r\n";
    }
    return page;
}

inline std::string CityLine(const std::string& name, const std::string& city = "c") {
    return "ci(cid=1,city=\"" + city + "\",cnct=\"" + name + "\",domain=\".d\",ty_stat=\"s\","
           "ty_line=\"l\",);";
}

struct Notice {
    std::string title;
    std::string text;
    int icon_kind;
    int delay_ms;
    bool clear;
    friend bool operator==(const Notice&, const Notice&) = default;
};

// The download and the split on a window of their own, against a loopback site that serves
// the catalogue page and the scripts a test gives. A catalogue fetch can be held until the
// test releases it, so a test sees the update half-way.
class UpdateFixture : public ::testing::Test {
protected:
    UpdateFixture() {
        window_.SetGeometry(0, 0, 401, 422);
        status_.AddPane("完成", 200);
        status_.AddPane("完成", 200);
        server_.SetHandler([this](const testsupport::RecordedRequest& r) { return Answer(r); });
    }
    ~UpdateFixture() override {
        Release();
        // The split threads are detached; they use this fixture while they run.
        testsupport::RunEventsUntil([&] { return split_.RunningSplits() == 0; });
    }

    // Fetch n of the catalogue page (from 1) answers pages[n - 1], the last one after that.
    void Serve(std::vector<std::string> pages, std::vector<std::string> scripts) {
        std::lock_guard lock(mutex_);
        pages_ = std::move(pages);
        scripts_ = std::move(scripts);
        page_fetches_ = 0;
    }
    // The catalogue fetch with this number waits for Release().
    void Hold(int fetch) {
        std::lock_guard lock(mutex_);
        held_fetch_ = fetch;
        released_ = false;
    }
    void Release() {
        std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    // True once the held fetch has arrived (the update waits there).
    bool WaitUntilHeld() {
        return testsupport::RunEventsUntil([&] {
            std::lock_guard lock(mutex_);
            return held_fetch_ > 0 && page_fetches_ >= held_fetch_;
        });
    }
    int PageFetches() {
        std::lock_guard lock(mutex_);
        return page_fetches_;
    }

    bool UpdateOver() { return !split_.UpdateRunning() && split_.RunningSplits() == 0; }
    // Starts an update and waits for its end.
    void RunUpdate() {
        download_.DownloadCatalogue();
        ASSERT_TRUE(testsupport::RunEventsUntil([&] { return UpdateOver(); }));
    }

    std::vector<std::string> Entries(const toolkit::PickList& list) {
        std::vector<std::string> texts;
        for (int i = 0; i < list.Count(); ++i) texts.push_back(list.EntryText(i));
        return texts;
    }
    std::string TmpDat() { return dir_.Read("tmp.dat"); }

    testsupport::TempDir dir_;
    testsupport::RecordingServer server_;
    net::RemoteAddresses addresses_ = net::RemoteAddressesFor(
        "127.0.0.1:" + std::to_string(server_.port()), "127.0.0.1:" + std::to_string(server_.port()));
    catalogue::DateTime now_{2011, 1, 1, 12, 30, 0};
    std::vector<Notice> notices_;  // written on the window thread only
    int rebuilds_ = 0;
    int freshness_checks_ = 0;

    toolkit::Window window_{toolkit::WindowStyle{}};
    toolkit::TabControl tabs_{window_.widget()};
    toolkit::StatusBar status_{window_.widget()};
    toolkit::PickList headings_{window_.widget()};
    toolkit::PickList names_{window_.widget()};
    catalogue::UpdateControls controls_{window_, tabs_, status_, headings_, names_};
    catalogue::ShowNoticeFn show_notice_ = [this](const std::string& title,
                                                  const std::string& text, int icon, int delay,
                                                  bool clear) {
        notices_.push_back({title, text, icon, delay, clear});
    };
    catalogue::CitySplit split_{controls_, dir_.gbk(), [this] { return now_; }, show_notice_,
                                catalogue::SplitSteps{[this] { download_.CollectProvinceCities(); },
                                                      [this] { ++rebuilds_; },
                                                      [this] { ++freshness_checks_; }}};
    catalogue::CatalogueDownload download_{controls_, addresses_, dir_.gbk(), show_notice_, split_};

private:
    static testsupport::Reply Body(const std::string& body) {
        testsupport::Reply reply;
        reply.body = body;
        return reply;
    }
    testsupport::Reply Answer(const testsupport::RecordedRequest& request) {
        std::unique_lock lock(mutex_);
        if (request.target == "/cities.html") {
            const int fetch = ++page_fetches_;
            changed_.wait(lock, [&] { return fetch != held_fetch_ || released_; });
            if (pages_.empty()) return {};
            return Body(pages_[std::min<std::size_t>(fetch, pages_.size()) - 1]);
        }
        const std::string prefix = "/js/city";
        if (request.target.rfind(prefix, 0) == 0) {
            const std::size_t j = std::stoul(request.target.substr(prefix.size()));
            if (j >= 1 && j <= scripts_.size()) return Body(scripts_[j - 1]);
        }
        testsupport::Reply missing;
        missing.status = 404;
        return missing;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> pages_;
    std::vector<std::string> scripts_;
    int page_fetches_ = 0;
    int held_fetch_ = 0;
    bool released_ = true;
};

}  // namespace catalogue_test
