#include "network_generator.h"

#include <cstdlib>
#include <string>
#include <unordered_set>
#include <vector>

namespace site {

namespace {

// splitmix64: the standard distributions differ between libraries, this does not.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }

private:
    std::uint64_t state_;
};

struct GridShape {
    int width;
    int height;
    int lines;
    int min_length;
    int max_length;
    int straightness;  // out of 10: chance to keep going the same way
};

// Unique stop names from the vocabulary, numbered once the combinations run out.
std::vector<std::string> StopNames(Random& random, const Vocabulary& v, std::size_t count) {
    std::vector<std::string> names;
    std::unordered_set<std::string> used;
    std::size_t attempts = 0;
    while (names.size() < count) {
        std::string name = v.prefixes[random.Below(static_cast<int>(v.prefixes.size()))] +
                           v.directions[random.Below(static_cast<int>(v.directions.size()))] +
                           v.suffixes[random.Below(static_cast<int>(v.suffixes.size()))];
        if (++attempts > count * 20) name += std::to_string(names.size());
        if (used.insert(name).second) names.push_back(name);
    }
    return names;
}

// Category of a grid cell: the centre, then east, west, south, north by the larger offset.
std::size_t AreaOf(int x, int y, const GridShape& g, std::size_t categories) {
    if (categories < 5) return 0;
    int dx = 2 * x - (g.width - 1);
    int dy = 2 * y - (g.height - 1);
    if (std::abs(dx) * 3 < g.width && std::abs(dy) * 3 < g.height) return 0;
    if (std::abs(dx) * g.height >= std::abs(dy) * g.width) return dx > 0 ? 1 : 2;
    return dy > 0 ? 3 : 4;
}

std::unique_ptr<Network> Generate(Random& random, const Vocabulary& v, const GridShape& g) {
    auto network = std::make_unique<Network>(v.stop_categories, v.line_categories);
    std::size_t cells = static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height);
    auto names = StopNames(random, v, cells);
    const int dx[4] = {1, -1, 0, 0};
    const int dy[4] = {0, 0, 1, -1};
    int number = 0;
    std::vector<int> visited(cells, -1);
    for (int l = 0; l < g.lines; ++l) {
        int x = random.Below(g.width);
        int y = random.Below(g.height);
        // The first lines start one in each area, so that no stop category is empty.
        for (int tries = 0; static_cast<std::size_t>(l) < v.stop_categories.size() && tries < 1000 &&
                            AreaOf(x, y, g, v.stop_categories.size()) != static_cast<std::size_t>(l);
             ++tries) {
            x = random.Below(g.width);
            y = random.Below(g.height);
        }
        int dir = random.Below(4);
        int length = random.Between(g.min_length, g.max_length);
        std::vector<std::string> stops;
        for (int step = 0; step < length; ++step) {
            std::size_t cell = static_cast<std::size_t>(y) * g.width + x;
            visited[cell] = l;
            stops.push_back(names[cell]);
            // Keep the direction mostly, turn sometimes; never revisit a stop of this line.
            int tries[4] = {dir, random.Below(4), random.Below(4), random.Below(4)};
            if (random.Below(10) >= g.straightness) std::swap(tries[0], tries[1]);
            bool moved = false;
            for (int t = 0; t < 8 && !moved; ++t) {
                int d = t < 4 ? tries[t] : t - 4;
                int nx = x + dx[d], ny = y + dy[d];
                if (nx < 0 || ny < 0 || nx >= g.width || ny >= g.height) continue;
                if (visited[static_cast<std::size_t>(ny) * g.width + nx] == l) continue;
                x = nx, y = ny, dir = d, moved = true;
            }
            if (!moved) break;
        }
        if (stops.size() < 2) continue;
        number += random.Between(1, 3);
        std::size_t category = static_cast<std::size_t>(l) < v.line_categories.size()
                                   ? static_cast<std::size_t>(l)
                                   : (random.Below(4) == 0 ? 1 + random.Below(static_cast<int>(v.line_categories.size()) - 1) : 0);
        std::string name = (category == 2 && v.line_categories.size() > 2 ? "夜" : "") + std::to_string(number) + "路";
        network->AddLine(name, category, stops, 0);
    }
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            if (network->FindStation(names[static_cast<std::size_t>(y) * g.width + x]))
                network->SetStationCategory(names[static_cast<std::size_t>(y) * g.width + x],
                                            AreaOf(x, y, g, v.stop_categories.size()));
    return network;
}

}  // namespace

std::unique_ptr<Network> GenerateCityNetwork(std::uint64_t seed, const Vocabulary& vocabulary) {
    Random random(seed);
    GridShape shape{random.Between(7, 12), random.Between(7, 12), random.Between(14, 36), 6, 16, 7};
    return Generate(random, vocabulary, shape);
}

std::unique_ptr<Network> GenerateLargeCityNetwork(std::uint64_t seed, const Vocabulary& vocabulary) {
    Random random(seed);
    return Generate(random, vocabulary, GridShape{100, 80, 1200, 25, 50, 8});
}

}  // namespace site
