#pragma once

#include <string>

// The three route questions as addresses on a city's pages, and the fragment each answer
// page yields once cut and cleaned. The texts typed by the user go into the address as they
// stand: GBK bytes, not trimmed, not percent-encoded.
namespace query {

enum class QueryKind { Transfer = 0, Line = 1, Station = 2 };

// Host of a city's pages: the record's `city` immediately followed by its `domain`. Workers
// take these two texts once, before they start, so a city change cannot tear them.
struct CityHost {
    std::string city;
    std::string domain;
};

std::string TransferAddress(const CityHost& host, const std::string& start_stop,
                            const std::string& end_stop);
std::string LineAddress(const CityHost& host, const std::string& line_name);
std::string StationAddress(const CityHost& host, const std::string& stop_name);

// The answer fragment of each kind of page, script blocks removed (and, for the station
// page, the links that open with the removal marker). Empty when the markers are missing.
std::string TransferFragment(const std::string& page);
std::string LineFragment(const std::string& page);
std::string StationFragment(const std::string& page);

// Removes script blocks (and the marked links, when asked) from a fragment.
std::string CleanFragment(const std::string& fragment, bool remove_marked_links);

// Fetch + cut + clean in one step, as the query workers run them. An unreachable site gives
// the empty fragment.
std::string FetchTransferFragment(const CityHost& host, const std::string& start_stop,
                                  const std::string& end_stop);
std::string FetchLineFragment(const CityHost& host, const std::string& line_name);
std::string FetchStationFragment(const CityHost& host, const std::string& stop_name);

}  // namespace query
