#include "network.h"

#include <algorithm>
#include <set>

namespace site {

StationId Network::StationFor(const std::string& name, std::size_t category) {
    auto it = station_by_name_.find(name);
    if (it != station_by_name_.end()) return it->second;
    auto id = static_cast<StationId>(station_names_.size());
    station_names_.push_back(name);
    station_categories_.push_back(category);
    lines_at_.emplace_back();
    station_by_name_.emplace(name, id);
    return id;
}

bool Network::AddLine(const std::string& name, std::size_t line_category, const std::vector<std::string>& stop_names,
                      std::size_t stop_category_of_new_stops) {
    if (stop_names.size() < 2 || line_by_name_.count(name) || line_category >= line_categories_.size() ||
        stop_category_of_new_stops >= stop_categories_.size())
        return false;
    auto id = static_cast<LineId>(lines_.size());
    Line line{name, line_category, {}};
    for (const auto& stop : stop_names) {
        StationId s = StationFor(stop, stop_category_of_new_stops);
        line.stops.push_back(s);
        if (lines_at_[s].empty() || lines_at_[s].back() != id) lines_at_[s].push_back(id);
    }
    lines_.push_back(std::move(line));
    line_by_name_.emplace(name, id);
    return true;
}

void Network::SetStationCategory(const std::string& name, std::size_t stop_category) {
    if (stop_category >= stop_categories_.size()) return;
    station_categories_[StationFor(name, stop_category)] = stop_category;
}

std::optional<StationId> Network::FindStation(const std::string& name) const {
    auto it = station_by_name_.find(name);
    if (it == station_by_name_.end()) return std::nullopt;
    return it->second;
}

std::optional<LineId> Network::FindLine(const std::string& name) const {
    auto it = line_by_name_.find(name);
    if (it == line_by_name_.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> Network::StationsInCategory(std::size_t category) const {
    std::vector<std::string> names;
    for (StationId s = 0; s < station_names_.size(); ++s)
        if (station_categories_[s] == category && !lines_at_[s].empty()) names.push_back(station_names_[s]);
    return names;
}

std::vector<std::string> Network::LinesInCategory(std::size_t category) const {
    std::vector<std::string> names;
    for (const auto& line : lines_)
        if (line.category == category) names.push_back(line.name);
    return names;
}

namespace {

// The characters of a GBK text (one or two bytes each).
std::set<std::string> CharactersOf(const std::string& text) {
    std::set<std::string> chars;
    for (size_t i = 0; i < text.size();) {
        size_t len = (static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size()) ? 2 : 1;
        chars.insert(text.substr(i, len));
        i += len;
    }
    return chars;
}

std::vector<std::string> Suggest(const std::vector<std::string>& names, const std::string& query, std::size_t limit) {
    if (query.empty()) return {};
    auto wanted = CharactersOf(query);
    std::vector<std::pair<int, std::size_t>> scored;  // (score, index), higher first
    for (size_t i = 0; i < names.size(); ++i) {
        const auto& name = names[i];
        int score = 0;
        if (name.find(query) != std::string::npos || query.find(name) != std::string::npos) {
            score = 1000;
        } else {
            for (const auto& c : CharactersOf(name)) score += wanted.count(c) ? (c.size() == 2 ? 2 : 1) : 0;
        }
        if (score >= 2) scored.emplace_back(score, i);
    }
    std::stable_sort(scored.begin(), scored.end(), [](auto& a, auto& b) { return a.first > b.first; });
    std::vector<std::string> out;
    for (size_t i = 0; i < scored.size() && out.size() < limit; ++i) out.push_back(names[scored[i].second]);
    return out;
}

}  // namespace

std::vector<std::string> SuggestStations(const Network& network, const std::string& query, std::size_t limit) {
    std::vector<std::string> names;
    for (StationId s = 0; s < network.StationCount(); ++s)
        if (!network.LinesAt(s).empty()) names.push_back(network.StationName(s));
    return Suggest(names, query, limit);
}

std::vector<std::string> SuggestLines(const Network& network, const std::string& query, std::size_t limit) {
    std::vector<std::string> names;
    for (const auto& line : network.Lines()) names.push_back(line.name);
    return Suggest(names, query, limit);
}

}  // namespace site
