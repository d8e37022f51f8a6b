#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace site {

using StationId = std::uint32_t;
using LineId = std::uint32_t;

// A bus line: its name, its category (position in the city's line categories) and its stops
// in running order. Every line runs both ways.
struct Line {
    std::string name;
    std::size_t category = 0;
    std::vector<StationId> stops;
};

// A city's bus network. Stops that share a name are one station: that is where passengers
// change. Names are GBK texts.
class Network {
public:
    Network(std::vector<std::string> stop_categories, std::vector<std::string> line_categories)
        : stop_categories_(std::move(stop_categories)), line_categories_(std::move(line_categories)) {}

    // Adds a line; unknown stop names become new stations of `stop_category`.
    // Returns false (and adds nothing) for a duplicate line name, fewer than two stops or a
    // category out of range.
    bool AddLine(const std::string& name, std::size_t line_category, const std::vector<std::string>& stop_names,
                 std::size_t stop_category_of_new_stops);
    // Sets the category of a station, creating it when needed (stations without lines are
    // never listed).
    void SetStationCategory(const std::string& name, std::size_t stop_category);

    std::size_t StationCount() const { return station_names_.size(); }
    const std::string& StationName(StationId s) const { return station_names_[s]; }
    std::size_t StationCategory(StationId s) const { return station_categories_[s]; }
    std::optional<StationId> FindStation(const std::string& name) const;
    // Lines that stop at a station, in the order they were added.
    const std::vector<LineId>& LinesAt(StationId s) const { return lines_at_[s]; }

    const std::vector<Line>& Lines() const { return lines_; }
    std::optional<LineId> FindLine(const std::string& name) const;

    const std::vector<std::string>& StopCategories() const { return stop_categories_; }
    const std::vector<std::string>& LineCategories() const { return line_categories_; }

    // Station names of a stop category, and line names of a line category, in network order;
    // stations that no line serves are left out.
    std::vector<std::string> StationsInCategory(std::size_t category) const;
    std::vector<std::string> LinesInCategory(std::size_t category) const;

private:
    StationId StationFor(const std::string& name, std::size_t category);

    std::vector<std::string> stop_categories_;
    std::vector<std::string> line_categories_;
    std::vector<std::string> station_names_;
    std::vector<std::size_t> station_categories_;
    std::vector<std::vector<LineId>> lines_at_;
    std::unordered_map<std::string, StationId> station_by_name_;
    std::vector<Line> lines_;
    std::unordered_map<std::string, LineId> line_by_name_;
};

// Up to `limit` station names that look like `query`: names containing it or contained in
// it first, then names sharing the most characters with it.
std::vector<std::string> SuggestStations(const Network& network, const std::string& query, std::size_t limit);
std::vector<std::string> SuggestLines(const Network& network, const std::string& query, std::size_t limit);

}  // namespace site
