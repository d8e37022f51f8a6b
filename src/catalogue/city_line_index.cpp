#include "catalogue/city_line_index.h"

#include <string_view>
#include <utility>

#include "net/text_search.h"
#include "platform/files.h"

namespace catalogue {
namespace {
constexpr std::string_view kKeyStart = "cnct=\"";
}

CityLineIndex::CityLineIndex(std::vector<std::string> lines) {
    for (std::string& line : lines) {
        std::vector<std::pair<std::string, std::size_t>> keys;  // name, where it starts
        for (std::size_t at = net::FindText(line, kKeyStart); at != net::npos;
             at = net::FindText(line, kKeyStart, at + kKeyStart.size())) {
            const std::size_t name_start = at + kKeyStart.size();
            // A quote is never the second byte of a character, so a plain search finds it.
            const std::size_t quote = line.find('"', name_start);
            if (quote == std::string::npos) break;  // no key can end in this line any more
            keys.emplace_back(line.substr(name_start, quote - name_start), name_start);
        }
        if (keys.empty()) continue;  // only lines with a key are kept
        lines_.push_back(std::move(line));
        for (auto& [name, name_start] : keys) {
            places_[std::move(name)].push_back(Place{lines_.size() - 1, name_start});
        }
    }
}

CityLineIndex CityLineIndex::FromFile(const std::string& path) {
    auto lines = platform::ReadLines(path);
    return CityLineIndex(lines ? std::move(*lines) : std::vector<std::string>{});
}

const std::string* CityLineIndex::FirstLineWith(const std::string& name) const {
    // A name without a quote ends at the first quote after cnct=", so the first place filed
    // under it is the answer. A name holding a quote is filed under its part before the
    // quote; each such place is checked in file order for the rest of the key.
    const std::size_t quote = name.find('"');
    const auto found = places_.find(quote == std::string::npos ? name : name.substr(0, quote));
    if (found == places_.end()) return nullptr;
    for (const Place& place : found->second) {
        const std::string& line = lines_[place.line];
        if (line.compare(place.name_start, name.size(), name) == 0 &&
            place.name_start + name.size() < line.size() &&
            line[place.name_start + name.size()] == '"') {
            return &line;
        }
    }
    return nullptr;
}

}  // namespace catalogue
