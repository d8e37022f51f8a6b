#pragma once

#include <mutex>
#include <string>

// The current city: what the program knows of the city whose pages it asks.
namespace catalogue {

struct CityRecord {
    std::string cid;      // the site's identifier of the city, as the line writes it
    std::string city;     // first part of the host of the city's pages
    std::string cnct;     // the city's name as the catalogue lists it
    std::string domain;   // rest of that host: the host is city + domain
    std::string ty_stat;  // stop categories, comma-separated
    std::string ty_line;  // line categories, comma-separated

    friend bool operator==(const CityRecord&, const CityRecord&) = default;
};

// Cuts the six fields out of one city line (a city file's content). Fields are not trimmed
// or unquoted; one whose markers are missing is empty.
CityRecord ParseCityLine(const std::string& line);

// The one current record. The window thread replaces it when the user picks a city while
// query threads read it: every read sees the whole old record or the whole new one.
class CurrentCity {
public:
    CityRecord Snapshot() const;
    void Replace(CityRecord record);

private:
    mutable std::mutex mutex_;
    CityRecord record_;
};

// Reads the city file at `path` (its text ends at a zero byte) and replaces the current
// record with what it holds; a missing or unreadable file leaves six empty fields.
void LoadCityRecord(const std::string& path, CurrentCity& current);

}  // namespace catalogue
