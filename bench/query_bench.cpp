// End-to-end query time: from the click on 换乘查询 until the result view shows the fragment,
// against tarnbay-site on loopback, next to curl fetching the same address in the same run.
// Prints figures; it passes or fails nothing.
//
// Usage: query_bench [RUNS]   (runs under the offscreen platform unless QT_QPA_PLATFORM is set)
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/program.h"
#include "data_set.h"
#include "site_server.h"
#include "toolkit/application.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const std::size_t i = static_cast<std::size_t>(p * (values.size() - 1) + 0.5);
    return values[i];
}

// One curl run: its own transfer time (-w time_total, without its process start) and the
// wall time of the whole command. False when curl failed.
bool RunCurl(const std::string& url, double& transfer_ms, double& wall_ms) {
    const std::string command = "curl -s -o /dev/null -w '%{time_total}' '" + url + "'";
    const Clock::time_point start = Clock::now();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    char output[64] = {};
    const bool read = std::fgets(output, sizeof output, pipe) != nullptr;
    const int status = pclose(pipe);
    wall_ms = Milliseconds(Clock::now() - start);
    if (!read || status != 0) return false;
    transfer_ms = std::atof(output) * 1000.0;
    return true;
}

void PrintRow(const char* name, const std::vector<double>& values) {
    std::printf("%-34s p50 %7.2f ms   p90 %7.2f ms   min %7.2f ms   max %7.2f ms\n", name,
                Percentile(values, 0.5), Percentile(values, 0.9),
                *std::min_element(values.begin(), values.end()),
                *std::max_element(values.begin(), values.end()));
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qt_argc = 1;
    toolkit::Application application(qt_argc, argv);

    std::string error;
    std::unique_ptr<site::DataSet> data = site::LoadDataSet(site::DefaultDataDirectory(), error);
    if (!data) {
        std::fprintf(stderr, "query_bench: %s\n", error.c_str());
        return 1;
    }
    site::ServerOptions options;
    options.port = 0;
    site::SiteServer server(*data, options);
    if (!server.Start(error)) {
        std::fprintf(stderr, "query_bench: %s\n", error.c_str());
        return 1;
    }
    const std::string port = std::to_string(server.port());

    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("query_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(directory);
    app::ProgramSetup setup;
    setup.program_directory = directory.string();
    setup.result_page_path = (directory / "tmp.html").string();
    setup.addresses = net::RemoteAddressesFor("bus.localhost:" + port, "ostrel.localhost:" + port);
    setup.answer_questions = [](const std::string&, const std::string&) { return false; };
    app::Program program(application, setup);
    program.Start();
    program.state().city_record.Replace(
        {"1101", "beijing", "北京", ".bus.localhost:" + port, "", ""});

    app::MainWindow& w = program.main_window();
    w.编辑框1.SetText("永定门");
    w.编辑框2.SetText("奥体中心");
    // The same address as the program asks, its GBK bytes percent-escaped for the shell.
    const std::string url = "http://beijing.bus.localhost:" + port +
                            "/so.php?k=p2p&q=%D3%C0%B6%A8%C3%C5&q1=%B0%C2%CC%E5%D6%D0%D0%C4";

    // "Shown" is the view's last progress report: the page file is on the screen.
    QEventLoop loop;
    bool shown = false;
    toolkit::BrowserView& view = program.result_window().互联网浏览器1;
    const auto window_progress = view.on_progress;
    view.on_progress = [&](int value, int maximum) {
        if (window_progress) window_progress(value, maximum);
        if (value == maximum) {
            shown = true;
            loop.quit();
        }
    };
    QTimer give_up;
    give_up.setSingleShot(true);
    QObject::connect(&give_up, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto query_once = [&]() -> double {
        shown = false;
        const Clock::time_point start = Clock::now();
        w.换乘查询.Click();
        give_up.start(10000);
        if (!shown) loop.exec();
        give_up.stop();
        const double ms = Milliseconds(Clock::now() - start);
        // Let the worker end before the next click.
        while (program.query_launcher().RunningWorkers() != 0) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        return shown ? ms : -1.0;
    };

    // One warm-up of each: the first query also opens the result window.
    double transfer = 0;
    double wall = 0;
    query_once();
    RunCurl(url, transfer, wall);

    std::vector<double> program_ms, curl_transfer_ms, curl_wall_ms;
    for (int i = 0; i < runs; ++i) {
        const double ms = query_once();
        if (ms < 0) {
            std::fprintf(stderr, "query_bench: run %d: the fragment was not shown in 10 s\n", i);
            return 1;
        }
        program_ms.push_back(ms);
        if (!RunCurl(url, transfer, wall)) {
            std::fprintf(stderr, "query_bench: curl failed on %s\n", url.c_str());
            return 1;
        }
        curl_transfer_ms.push_back(transfer);
        curl_wall_ms.push_back(wall);
    }

    const std::string page = program.result_window().互联网浏览器1.PlainText();
    // UTF-8 for the terminal; the program's own texts are GBK.
    std::printf("%s, %d runs, fragment of %zu bytes shown\n",
                reinterpret_cast<const char*>(u8"transfer 永定门 -> 奥体中心 on Beijing"), runs,
                static_cast<std::size_t>(std::filesystem::file_size(directory / "tmp.html")));
    PrintRow("program: click to fragment shown", program_ms);
    PrintRow("curl: time_total", curl_transfer_ms);
    PrintRow("curl: whole command (with exec)", curl_wall_ms);
    const double goal = 1.2 * Percentile(curl_transfer_ms, 0.5) + 15.0;
    std::printf("goal (p50): <= 1.2 x curl time_total + 15 ms = %.2f ms; program p50 %.2f ms: %s\n",
                goal, Percentile(program_ms, 0.5),
                Percentile(program_ms, 0.5) <= goal ? "met" : "NOT met");

    program.result_window().window.RequestClose();
    server.Stop();
    std::filesystem::remove_all(directory);
    return page.find("方案1") != std::string::npos ? 0 : 1;
}
