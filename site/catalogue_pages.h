#pragma once

#include <string>

#include "answer.h"
#include "data_set.h"

namespace site {

// bus.localhost: the nationwide catalogue. A first heading ">Kelvane" and a first <ul> block
// that belong to no province, then per province one <h1> heading and one <ul> block whose
// cities are "<a href=...><strong>name</strong></a>".
Answer CataloguePage(const DataSet& data, int port);

// City script j (1-based, catalogue order): a few lines, one of them the city line with the
// fields cid, city, cnct, domain, ty_stat and ty_line, each quoted value closed by "\",".
Answer CityScript(const DataSet& data, std::size_t j, int port);

// The city line alone, for the script and for tests.
std::string CityLine(const City& city, int port);

}  // namespace site
