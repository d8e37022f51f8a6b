// The catalogue update against tarnbay-site on loopback: the whole update (catalogue page,
// 337 city scripts, 31 provinces split into city files) and the split's line search alone,
// the index next to a search from the top of tmp.dat for each city.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "catalogue/catalogue_download.h"
#include "catalogue/city_line_index.h"
#include "catalogue/city_split.h"
#include "data_set.h"
#include "net/fetch_page.h"
#include "net/text_search.h"
#include "site_server.h"
#include "toolkit/application.h"
#include "toolkit/pick_list.h"
#include "toolkit/status_bar.h"
#include "toolkit/tab_control.h"
#include "toolkit/window.h"

namespace {

struct Site {
    Site() {
        std::string error;
        data = site::LoadDataSet(site::DefaultDataDirectory(), error);
        if (!data) throw std::runtime_error(error);
        site::ServerOptions options;
        options.port = 0;
        server = std::make_unique<site::SiteServer>(*data, options);
        if (!server->Start(error)) throw std::runtime_error(error);
        host = "bus.localhost:" + std::to_string(server->port());
    }
    std::unique_ptr<site::DataSet> data;
    std::unique_ptr<site::SiteServer> server;
    std::string host;
};

Site& TheSite() {
    static Site site;
    return site;
}

struct ScratchDirectory {
    ScratchDirectory()
        : path(std::filesystem::temp_directory_path() /
               ("tarnbay_bench_" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchDirectory() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

void BM_WholeUpdate(benchmark::State& state) {
    Site& site = TheSite();
    const net::RemoteAddresses addresses = net::RemoteAddressesFor(site.host, site.host);
    ScratchDirectory dir;
    toolkit::Window window{toolkit::WindowStyle{}};
    toolkit::TabControl tabs{window.widget()};
    toolkit::StatusBar status{window.widget()};
    toolkit::PickList headings{window.widget()};
    toolkit::PickList names{window.widget()};
    status.AddPane("", 200);
    status.AddPane("", 200);
    const catalogue::UpdateControls controls{window, tabs, status, headings, names};
    catalogue::CatalogueDownload* download = nullptr;
    catalogue::CitySplit split(controls, dir.path.string(), catalogue::CurrentLocalTime, {},
                               {[&] { download->CollectProvinceCities(); }, {}, {}});
    catalogue::CatalogueDownload the_download(controls, addresses, dir.path.string(), {}, split);
    download = &the_download;

    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        download->DownloadCatalogue();
        while (split.UpdateRunning() || split.RunningSplits() > 0) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    const std::string page = net::FetchPage("http://" + site.host + "/cities.html");
    const auto scripts = catalogue::FindAllGroups(page, "<a href=(.*?)><strong>").size();
    // One catalogue page for the headings and one per province, one fetch per script.
    state.counters["requests"] = static_cast<double>(1 + headings.Count() + scripts);
    int city_files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path / "data")) {
        city_files += entry.is_regular_file() ? 1 : 0;
    }
    state.counters["city_files"] = city_files;
}
BENCHMARK(BM_WholeUpdate)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// tmp.dat's lines and every city name of the catalogue, as the split sees them.
struct SplitInput {
    SplitInput() {
        Site& site = TheSite();
        const std::string page = net::FetchPage("http://" + site.host + "/cities.html");
        const auto blocks = catalogue::FindAllGroups(page, "<ul>(.*?)</ul>");
        for (std::size_t b = 1; b < blocks.size(); ++b) {
            for (std::string& name : catalogue::FindAllGroups(blocks[b], "<strong>(.*?)</strong>")) {
                names.push_back(std::move(name));
            }
        }
        for (std::size_t j = 1; j <= names.size(); ++j) {
            const std::string body =
                net::FetchPage("http://" + site.host + "/js/city" + std::to_string(j) + ".js");
            std::size_t start = 0;
            for (std::size_t end; (end = body.find('\n', start)) != std::string::npos;
                 start = end + 1) {
                lines.push_back(body.substr(start, end - start));
            }
            lines.push_back(body.substr(start));
        }
    }
    std::vector<std::string> lines;
    std::vector<std::string> names;
};

const SplitInput& Input() {
    static const SplitInput input;
    return input;
}

void BM_SplitSearchIndex(benchmark::State& state) {
    const SplitInput& input = Input();
    for (auto _ : state) {
        const catalogue::CityLineIndex index(input.lines);
        for (const std::string& name : input.names) {
            benchmark::DoNotOptimize(index.FirstLineWith(name));
        }
    }
    state.counters["cities"] = static_cast<double>(input.names.size());
    state.counters["lines"] = static_cast<double>(input.lines.size());
}
BENCHMARK(BM_SplitSearchIndex)->Unit(benchmark::kMicrosecond);

void BM_SplitSearchRewind(benchmark::State& state) {
    const SplitInput& input = Input();
    for (auto _ : state) {
        for (const std::string& name : input.names) {
            const std::string key = "cnct=\"" + name + "\"";
            for (const std::string& line : input.lines) {
                if (net::FindText(line, key) != net::npos) break;
            }
        }
    }
    state.counters["cities"] = static_cast<double>(input.names.size());
}
BENCHMARK(BM_SplitSearchRewind)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);  // a benchmark needs no display
    toolkit::Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    TheSite().server->Stop();
    return 0;
}
