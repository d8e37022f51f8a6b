#pragma once

#include <string>

#include "answer.h"
#include "data_set.h"
#include "request_target.h"

namespace site {

// {label}.bus.localhost: a city's search script, category lists, linked pages and home page.
// `port` goes into the absolute links to the maker's site.
Answer CityPage(const City& city, const RequestTarget& target, int port);

// The pieces, exposed for tests.
Answer TransferPage(const City& city, const std::string& from, const std::string& to, int port);
Answer LinePage(const City& city, const std::string& line_name, int port);
Answer StationPage(const City& city, const std::string& station_name, int port);
// "/city1.php?t={cid}/p{n}" and ".../pp{n}": names joined by ",". Empty when the cid is not
// this city's or the category does not exist; "pp0" (the picker's prompt entry) lists all lines.
Answer CategoryNames(const City& city, const std::string& t);

}  // namespace site
