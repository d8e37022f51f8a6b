#include "planner.h"

#include <algorithm>
#include <limits>

namespace site {

namespace {
constexpr int kUnreached = std::numeric_limits<int>::max() / 4;
}

int Plan::Stops() const {
    int total = 0;
    for (const auto& leg : legs) total += leg.stops;
    return total;
}

// Labels of round k hold only the improvements found in round k (a ride count of exactly k);
// a stamp per entry tells current entries from those of earlier queries, so nothing is cleared.
struct Planner::Workspace {
    std::uint32_t epoch = 0;
    std::size_t stations = 0;
    std::size_t patterns = 0;
    std::vector<std::uint32_t> stamp;       // [round * stations + s]
    std::vector<int> label;                 // stops from the start
    std::vector<std::uint32_t> via_pattern; // pattern ridden in that round
    std::vector<std::uint32_t> via_board;   // position where it was boarded
    std::vector<std::uint32_t> queue_stamp; // [pattern]
    std::vector<std::uint32_t> queue_from;  // earliest marked position of a queued pattern
    std::vector<std::uint32_t> queued;
    std::vector<StationId> marked;
    std::vector<StationId> next_marked;

    void Prepare(std::size_t station_count, std::size_t pattern_count) {
        if (station_count > stations || pattern_count > patterns) {
            stations = std::max(stations, station_count);
            patterns = std::max(patterns, pattern_count);
            std::size_t cells = stations * (kMaxRides + 1);
            stamp.assign(cells, 0);
            label.assign(cells, kUnreached);
            via_pattern.assign(cells, 0);
            via_board.assign(cells, 0);
            queue_stamp.assign(patterns, 0);
            queue_from.assign(patterns, 0);
            epoch = 0;
        }
        if (++epoch == 0) {  // wrapped: old stamps could look current
            std::fill(stamp.begin(), stamp.end(), 0);
            std::fill(queue_stamp.begin(), queue_stamp.end(), 0);
            epoch = 1;
        }
        marked.clear();
        next_marked.clear();
        queued.clear();
    }
    std::size_t Cell(int round, StationId s) const { return static_cast<std::size_t>(round) * stations + s; }
    int Label(int round, StationId s) const {
        std::size_t c = Cell(round, s);
        return stamp[c] == epoch ? label[c] : kUnreached;
    }
    // Best over rounds 0..round, and the round that gives it (fewest rides on a tie).
    int Best(int round, StationId s, int* best_round = nullptr) const {
        int best = kUnreached;
        for (int r = 0; r <= round; ++r) {
            int v = Label(r, s);
            if (v < best) {
                best = v;
                if (best_round) *best_round = r;
            }
        }
        return best;
    }
};

struct Planner::Candidate {
    int rides;
    int stops;
    std::uint32_t pattern;
    std::uint32_t board_pos;
    std::uint32_t alight_pos;
    int board_round;  // round of the label the last ride boards from
};

Planner::Planner(const Network& network) : network_(network) {
    const auto& lines = network.Lines();
    pattern_offset_.push_back(0);
    for (const auto& line : lines) {
        pattern_stops_.insert(pattern_stops_.end(), line.stops.begin(), line.stops.end());
        pattern_offset_.push_back(static_cast<std::uint32_t>(pattern_stops_.size()));
        pattern_stops_.insert(pattern_stops_.end(), line.stops.rbegin(), line.stops.rend());
        pattern_offset_.push_back(static_cast<std::uint32_t>(pattern_stops_.size()));
    }
    std::size_t station_count = network.StationCount();
    std::vector<std::uint32_t> counts(station_count + 1, 0);
    std::size_t pattern_count = pattern_offset_.size() - 1;
    for (std::uint32_t p = 0; p < pattern_count; ++p)
        for (std::uint32_t i = 0; i < PatternLength(p); ++i) ++counts[PatternStop(p, i) + 1];
    routes_offset_.assign(station_count + 1, 0);
    for (std::size_t s = 0; s < station_count; ++s) routes_offset_[s + 1] = routes_offset_[s] + counts[s + 1];
    routes_pattern_.resize(routes_offset_.back());
    routes_position_.resize(routes_offset_.back());
    std::vector<std::uint32_t> fill(routes_offset_.begin(), routes_offset_.end() - 1);
    for (std::uint32_t p = 0; p < pattern_count; ++p)
        for (std::uint32_t i = 0; i < PatternLength(p); ++i) {
            auto s = static_cast<std::size_t>(PatternStop(p, i));
            routes_pattern_[fill[s]] = p;
            routes_position_[fill[s]] = i;
            ++fill[s];
        }
}

void Planner::ScanRound(Workspace& ws, int round) const {
    // Queue every pattern through a station improved in the previous round, from the earliest
    // such position.
    ws.queued.clear();
    for (StationId s : ws.marked) {
        for (std::uint32_t r = routes_offset_[s]; r < routes_offset_[s + 1]; ++r) {
            std::uint32_t p = routes_pattern_[r];
            std::uint32_t pos = routes_position_[r];
            if (ws.queue_stamp[p] != ws.epoch) {
                ws.queue_stamp[p] = ws.epoch;
                ws.queue_from[p] = pos;
                ws.queued.push_back(p);
            } else if (pos < ws.queue_from[p]) {
                ws.queue_from[p] = pos;
            }
        }
    }
    ws.next_marked.clear();
    for (std::uint32_t p : ws.queued) {
        ws.queue_stamp[p] = ws.epoch - 1;  // free for the next round (epoch >= 1)
        int carry = kUnreached;            // best (label - position) of a boarding so far
        std::uint32_t board = 0;
        std::uint32_t length = PatternLength(p);
        for (std::uint32_t i = ws.queue_from[p]; i < length; ++i) {
            auto s = static_cast<StationId>(PatternStop(p, i));
            if (carry < kUnreached) {
                int arrival = carry + static_cast<int>(i);
                if (arrival < ws.Best(round, s)) {
                    std::size_t c = ws.Cell(round, s);
                    if (ws.stamp[c] != ws.epoch) ws.next_marked.push_back(s);
                    ws.stamp[c] = ws.epoch;
                    ws.label[c] = arrival;
                    ws.via_pattern[c] = p;
                    ws.via_board[c] = board;
                }
            }
            int here = ws.Best(round - 1, s);
            if (here < kUnreached && here - static_cast<int>(i) < carry) {
                carry = here - static_cast<int>(i);
                board = i;
            }
        }
    }
    std::swap(ws.marked, ws.next_marked);
}

bool Planner::Reconstruct(const Workspace& ws, int round, StationId station, std::vector<Leg>& legs) const {
    legs.clear();
    while (round > 0) {
        std::size_t c = ws.Cell(round, station);
        if (ws.stamp[c] != ws.epoch) return false;
        std::uint32_t p = ws.via_pattern[c];
        std::uint32_t b = ws.via_board[c];
        auto board_station = static_cast<StationId>(PatternStop(p, b));
        int prev_round = 0;
        int prev = ws.Best(round - 1, board_station, &prev_round);
        if (prev >= kUnreached) return false;
        Leg leg;
        leg.line = p / 2;
        leg.board = board_station;
        leg.alight = station;
        leg.stops = ws.label[c] - prev;
        leg.towards = static_cast<StationId>(PatternStop(p, PatternLength(p) - 1));
        legs.push_back(leg);
        station = board_station;
        round = prev_round;
    }
    std::reverse(legs.begin(), legs.end());
    return true;
}

std::vector<Plan> Planner::FindPlans(StationId from, StationId to) const {
    std::vector<Plan> plans;
    std::size_t station_count = network_.StationCount();
    if (from >= station_count || to >= station_count || from == to) return plans;

    thread_local Workspace ws;
    thread_local std::vector<Candidate> candidates;
    ws.Prepare(station_count, pattern_offset_.size() - 1);
    std::size_t c0 = ws.Cell(0, from);
    ws.stamp[c0] = ws.epoch;
    ws.label[c0] = 0;
    ws.marked.push_back(from);
    // Rounds 1 and 2 label the stations a last ride can board at; the last ride itself is
    // enumerated below so that several alternatives survive, not just the single best one.
    for (int round = 1; round < kMaxRides && !ws.marked.empty(); ++round) ScanRound(ws, round);

    candidates.clear();
    for (std::uint32_t r = routes_offset_[to]; r < routes_offset_[to + 1]; ++r) {
        std::uint32_t p = routes_pattern_[r];
        std::uint32_t j = routes_position_[r];
        for (std::uint32_t i = 0; i < j; ++i) {
            auto b = static_cast<StationId>(PatternStop(p, i));
            if (b == to) continue;
            for (int round = 0; round < kMaxRides; ++round) {
                int v = ws.Label(round, b);
                if (v >= kUnreached) continue;
                candidates.push_back({round + 1, v + static_cast<int>(j - i), p, i, j, round});
            }
        }
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        if (a.rides != b.rides) return a.rides < b.rides;
        if (a.stops != b.stops) return a.stops < b.stops;
        if (a.pattern != b.pattern) return a.pattern < b.pattern;
        return a.board_pos < b.board_pos;
    });

    std::vector<Leg> legs;
    for (const auto& cand : candidates) {
        if (plans.size() >= kMaxPlans) break;
        auto board_station = static_cast<StationId>(PatternStop(cand.pattern, cand.board_pos));
        if (!Reconstruct(ws, cand.board_round, board_station, legs)) continue;
        LineId last_line = cand.pattern / 2;
        bool repeats = std::any_of(legs.begin(), legs.end(), [&](const Leg& l) { return l.line == last_line; });
        if (repeats) continue;
        Leg last;
        last.line = last_line;
        last.board = board_station;
        last.alight = to;
        last.stops = static_cast<int>(cand.alight_pos - cand.board_pos);
        last.towards = static_cast<StationId>(PatternStop(cand.pattern, PatternLength(cand.pattern) - 1));
        legs.push_back(last);
        Plan plan{legs};
        bool useless = false;
        for (const auto& kept : plans) {
            bool same_lines = kept.legs.size() == plan.legs.size() &&
                              std::equal(kept.legs.begin(), kept.legs.end(), plan.legs.begin(),
                                         [](const Leg& a, const Leg& b) { return a.line == b.line; });
            bool dominated = kept.Changes() < plan.Changes() && kept.Stops() <= plan.Stops();
            if (same_lines || dominated) {
                useless = true;
                break;
            }
        }
        if (!useless) plans.push_back(std::move(plan));
    }
    return plans;
}

}  // namespace site
