#pragma once

#include <cstdint>
#include <memory>

#include "data_set.h"
#include "network.h"

namespace site {

// A plausible, deterministic network for a city: the same seed always gives the same lines.
// Stops lie on a grid; lines are walks along it, so neighbouring lines share stops.
std::unique_ptr<Network> GenerateCityNetwork(std::uint64_t seed, const Vocabulary& vocabulary);

// A city of Beijing's size (about 1,200 lines and 8,000 stops) for the planner benchmark.
std::unique_ptr<Network> GenerateLargeCityNetwork(std::uint64_t seed, const Vocabulary& vocabulary);

}  // namespace site
