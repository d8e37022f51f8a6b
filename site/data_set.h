#pragma once

#include <memory>
#include <string>
#include <vector>

#include "network.h"
#include "planner.h"

namespace site {

// Words that generated networks build their stop names and categories from.
struct Vocabulary {
    std::vector<std::string> prefixes;
    std::vector<std::string> directions;
    std::vector<std::string> suffixes;
    std::vector<std::string> stop_categories;
    std::vector<std::string> line_categories;
};

struct City {
    std::string name;    // as the catalogue lists it
    std::string label;   // lower-case ASCII host label: {label}.bus.localhost
    std::string cid;     // decimal city identifier
    std::size_t province = 0;
    std::unique_ptr<Network> network;
    std::unique_ptr<Planner> planner;
};

struct Province {
    std::string name;
    std::vector<std::size_t> cities;  // indexes into DataSet::cities, in catalogue order
};

struct NewsItem {
    std::string title;
    std::string text;
};

// Everything the two sites serve from, loaded once; all texts GBK.
struct DataSet {
    std::vector<Province> provinces;
    std::vector<City> cities;  // catalogue order: city j of the scripts is cities[j - 1]
    Vocabulary vocabulary;
    std::vector<NewsItem> news;

    const City* FindCityByLabel(const std::string& label) const;
    // Adds a city with a generated network (used for extra catalogue entries).
    void AddCity(std::size_t province, std::string name, std::string label, std::string cid);
};

// The data directory of the source tree, compiled in.
std::string DefaultDataDirectory();

// Loads geography.txt, vocabulary.txt, beijing.txt and news.txt from `dir`. On failure returns null and
// says why in `error` (file, line and problem).
std::unique_ptr<DataSet> LoadDataSet(const std::string& dir, std::string& error);

// Parsers of the individual files, exposed for tests. Texts are GBK.
bool ParseVocabulary(const std::string& text, Vocabulary& out, std::string& error);
std::unique_ptr<Network> ParseCuratedNetwork(const std::string& text, std::string& error);

}  // namespace site
