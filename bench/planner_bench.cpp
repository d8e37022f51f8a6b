// Planner latency on a Beijing-sized generated city: p50 and p99 per query over 10,000
// random start/end pairs (goal: p99 <= 1 ms).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "data_set.h"
#include "network_generator.h"
#include "planner.h"

namespace {

struct LargeCity {
    std::unique_ptr<site::Network> network;
    std::unique_ptr<site::Planner> planner;
    std::vector<std::pair<site::StationId, site::StationId>> pairs;
};

const LargeCity& City() {
    static const LargeCity city = [] {
        std::string error;
        auto data = site::LoadDataSet(site::DefaultDataDirectory(), error);
        if (!data) {
            std::fprintf(stderr, "planner_bench: %s\n", error.c_str());
            std::exit(1);
        }
        LargeCity c;
        c.network = site::GenerateLargeCityNetwork(1101, data->vocabulary);
        c.planner = std::make_unique<site::Planner>(*c.network);
        std::mt19937 random(42);
        std::uniform_int_distribution<site::StationId> pick(0, static_cast<site::StationId>(c.network->StationCount() - 1));
        for (int i = 0; i < 10000; ++i) c.pairs.emplace_back(pick(random), pick(random));
        std::printf("city: %zu lines, %zu stops\n", c.network->Lines().size(), c.network->StationCount());
        return c;
    }();
    return city;
}

void BM_PlannerPercentiles(benchmark::State& state) {
    const LargeCity& city = City();
    std::vector<double> micros(city.pairs.size());
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (std::size_t i = 0; i < city.pairs.size(); ++i) {
            auto start = std::chrono::steady_clock::now();
            auto plans = city.planner->FindPlans(city.pairs[i].first, city.pairs[i].second);
            micros[i] = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
            found += plans.empty() ? 0 : 1;
            benchmark::DoNotOptimize(plans);
        }
    }
    std::sort(micros.begin(), micros.end());
    state.counters["p50_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["max_us"] = micros.back();
    state.counters["reachable"] = static_cast<double>(found) / static_cast<double>(city.pairs.size());
}
BENCHMARK(BM_PlannerPercentiles)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PlannerQuery(benchmark::State& state) {
    const LargeCity& city = City();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& pair = city.pairs[i++ % city.pairs.size()];
        benchmark::DoNotOptimize(city.planner->FindPlans(pair.first, pair.second));
    }
}
BENCHMARK(BM_PlannerQuery)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
