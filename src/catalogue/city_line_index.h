#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

// The city lines of the downloaded scripts, found by a city's name.
namespace catalogue {

// Finds, for a name, the first line that holds the key cnct="NAME" (matched at a character
// boundary, exactly, the closing quote included): the line a search from the top of the lines
// for each city would find. The lines are read once and indexed by what follows each cnct="
// up to the next quote, so looking up every city of a catalogue takes time linear in the size
// of the lines, not one pass over them per city.
class CityLineIndex {
public:
    CityLineIndex() = default;
    explicit CityLineIndex(std::vector<std::string> lines);

    // The lines of a file (LF ends a line, a CR before it is dropped); a file that cannot be
    // read gives no lines.
    static CityLineIndex FromFile(const std::string& path);

    // The first line holding the name's key; nullptr when no line does.
    const std::string* FirstLineWith(const std::string& name) const;

private:
    struct Place {
        std::size_t line;        // index into lines_
        std::size_t name_start;  // just after cnct="
    };

    std::vector<std::string> lines_;  // only the lines that hold a key
    // The text between cnct=" and the next quote -> every such place, in file order.
    std::unordered_map<std::string, std::vector<Place>> places_;
};

}  // namespace catalogue
