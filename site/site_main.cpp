#include <csignal>
#include <cstdio>
#include <string>

#include "data_set.h"
#include "faults.h"
#include "site_options.h"
#include "site_server.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;  // set by the signal handler only
void OnSignal(int) { g_stop = 1; }

}  // namespace

int main(int argc, char** argv) {
    site::CommandLine command;
    std::string error;
    if (!site::ParseCommandLine(argc, argv, command, error)) {
        std::fprintf(stderr, "tarnbay-site: %s\n%s", error.c_str(), site::UsageText().c_str());
        return 2;
    }
    if (command.help) {
        std::fputs(site::UsageText().c_str(), stdout);
        return 0;
    }
    std::string dir = command.data_dir.empty() ? site::DefaultDataDirectory() : command.data_dir;
    auto data = site::LoadDataSet(dir, error);
    if (!data) {
        std::fprintf(stderr, "tarnbay-site: %s\n", error.c_str());
        return 1;
    }
    for (const auto& rule : command.server.faults)
        if (rule.mode == site::FaultMode::kHostile) {
            site::AddHostileCatalogueEntries(*data);
            break;
        }
    site::SiteServer server(*data, command.server);
    if (!server.Start(error)) {
        std::fprintf(stderr, "tarnbay-site: %s\n", error.c_str());
        return 1;
    }
    std::printf("tarnbay-site: %zu cities on 127.0.0.1:%d\n", data->cities.size(), server.port());
    for (const auto& rule : command.server.faults)
        std::printf("tarnbay-site: fault %s on %s\n", site::FaultModeName(rule.mode),
                    rule.path.empty() ? "every path" : rule.path.c_str());
    std::fflush(stdout);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    while (!g_stop) {
        struct timespec slice{0, 100 * 1000 * 1000};
        nanosleep(&slice, nullptr);
    }
    server.Stop();
    return 0;
}
