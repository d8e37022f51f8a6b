#pragma once

#include <cstdint>
#include <vector>

#include "network.h"

namespace site {

// One ride of a plan: the line, where to board and alight, and how many stops it runs.
struct Leg {
    LineId line = 0;
    StationId board = 0;
    StationId alight = 0;
    int stops = 0;
    StationId towards = 0;  // the terminal in the direction of travel
};

struct Plan {
    std::vector<Leg> legs;
    int Changes() const { return static_cast<int>(legs.size()) - 1; }
    int Stops() const;
};

// Transfer planning over a network's topology: rounds of a RAPTOR scan, one per line ridden
// (at most three lines, i.e. up to two changes), counting stops instead of time. The indexes
// are built once; a query reuses a per-thread workspace and allocates no big tables.
class Planner {
public:
    static constexpr int kMaxRides = 3;
    static constexpr std::size_t kMaxPlans = 5;

    explicit Planner(const Network& network);

    // Up to five plans with distinct line sequences, fewest changes first, then fewest stops.
    // A plan that changes more often than another without saving a stop is left out. Empty
    // when the end cannot be reached within two changes or when from == to.
    std::vector<Plan> FindPlans(StationId from, StationId to) const;

    const Network& network() const { return network_; }

private:
    struct Workspace;
    struct Candidate;

    int PatternStop(std::uint32_t pattern, std::uint32_t index) const {
        return static_cast<int>(pattern_stops_[pattern_offset_[pattern] + index]);
    }
    std::uint32_t PatternLength(std::uint32_t pattern) const {
        return pattern_offset_[pattern + 1] - pattern_offset_[pattern];
    }
    void ScanRound(Workspace& ws, int round) const;
    bool Reconstruct(const Workspace& ws, int round, StationId station, std::vector<Leg>& legs) const;

    const Network& network_;
    // Each line gives two patterns (its two directions): pattern p belongs to line p / 2.
    std::vector<std::uint32_t> pattern_offset_;
    std::vector<std::uint32_t> pattern_stops_;
    // For each station, the (pattern, position) pairs where a pattern stops there.
    std::vector<std::uint32_t> routes_offset_;
    std::vector<std::uint32_t> routes_pattern_;
    std::vector<std::uint32_t> routes_position_;
};

}  // namespace site
