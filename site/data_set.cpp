#include "data_set.h"

#include <fstream>
#include <set>
#include <sstream>

#include "gbk_text.h"
#include "network_generator.h"
#include "text_util.h"

#ifndef TARNBAY_SITE_DATA_DIR
#define TARNBAY_SITE_DATA_DIR "site/data"
#endif

namespace site {

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines = Split(text, '\n');
    for (auto& line : lines)
        if (!line.empty() && line.back() == '\r') line.pop_back();
    return lines;
}

bool IsComment(const std::string& line) {
    std::string t = Trim(line);
    return t.empty() || t[0] == '#';
}

// "key rest = a,b,c" → key, rest words, list. The separators are ASCII below 0x40, which a GBK
// character never contains.
struct Statement {
    std::vector<std::string> head;
    std::vector<std::string> list;
};

bool ParseStatement(const std::string& line, Statement& out) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    out.head.clear();
    for (auto& word : Split(Trim(line.substr(0, eq)), ' '))
        if (!word.empty()) out.head.push_back(word);
    out.list.clear();
    for (auto& item : Split(line.substr(eq + 1), ',')) out.list.push_back(Trim(item));
    return !out.head.empty();
}

bool ReadGbkFile(const std::string& path, std::string& text, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    auto gbk = Utf8ToGbk(content.str());
    if (!gbk) {
        error = path + ": not UTF-8 text with GBK characters only";
        return false;
    }
    text = *gbk;
    return true;
}

bool ValidName(const std::string& name) {
    // Names travel inside comma lists and quoted script fields.
    return !name.empty() && name.find_first_of(",\"\r\n") == std::string::npos;
}

bool ValidLabel(const std::string& label) {
    if (label.empty()) return false;
    for (char c : label)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

bool ParseGeography(const std::string& text, DataSet& data, std::string& error) {
    std::set<std::string> labels;
    int code = 0;
    auto lines = Lines(text);
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        if (IsComment(line)) continue;
        auto words = Split(Trim(line), ' ');
        std::string where = "geography.txt:" + std::to_string(n + 1) + ": ";
        if (words[0] == "*") {
            if (words.size() != 3 || (code = std::atoi(words[1].c_str())) <= 0 || !ValidName(words[2])) {
                error = where + "expected \"* code province\"";
                return false;
            }
            data.provinces.push_back({words[2], {}});
            continue;
        }
        if (data.provinces.empty() || words.size() != 2 || !ValidName(words[0]) || !ValidLabel(words[1])) {
            error = where + "expected \"city label\" after a province line";
            return false;
        }
        if (!labels.insert(words[1]).second) {
            error = where + "host label used twice: " + words[1];
            return false;
        }
        std::size_t province = data.provinces.size() - 1;
        std::string cid = std::to_string(code * 100 + static_cast<int>(data.provinces[province].cities.size()) + 1);
        data.provinces[province].cities.push_back(data.cities.size());
        City city;
        city.name = words[0];
        city.label = words[1];
        city.cid = cid;
        city.province = province;
        data.cities.push_back(std::move(city));
    }
    if (data.cities.empty()) {
        error = "geography.txt: no cities";
        return false;
    }
    return true;
}

bool ParseNews(const std::string& text, std::vector<NewsItem>& news, std::string& error) {
    auto lines = Lines(text);
    for (size_t n = 0; n < lines.size(); ++n) {
        if (IsComment(lines[n])) continue;
        size_t eq = lines[n].find('=');
        std::string title = eq == std::string::npos ? "" : Trim(lines[n].substr(0, eq));
        // The news strip reads titles up to "</a>" and links from href=", so a title may hold
        // none of these bytes.
        if (title.empty() || title.find_first_of("<>\"") != std::string::npos) {
            error = "news.txt:" + std::to_string(n + 1) + ": expected \"title = text\"";
            return false;
        }
        news.push_back({title, Trim(lines[n].substr(eq + 1))});
    }
    return true;
}

}  // namespace

const City* DataSet::FindCityByLabel(const std::string& label) const {
    for (const auto& city : cities)
        if (city.label == label) return &city;
    return nullptr;
}

void DataSet::AddCity(std::size_t province, std::string name, std::string label, std::string cid) {
    City city;
    city.name = std::move(name);
    city.label = std::move(label);
    city.cid = std::move(cid);
    city.province = province;
    city.network = GenerateCityNetwork(std::stoull(city.cid), vocabulary);
    city.planner = std::make_unique<Planner>(*city.network);
    provinces[province].cities.push_back(cities.size());
    cities.push_back(std::move(city));
}

std::string DefaultDataDirectory() { return TARNBAY_SITE_DATA_DIR; }

bool ParseVocabulary(const std::string& text, Vocabulary& out, std::string& error) {
    Statement st;
    auto lines = Lines(text);
    for (size_t n = 0; n < lines.size(); ++n) {
        if (IsComment(lines[n])) continue;
        if (!ParseStatement(lines[n], st) || st.head.size() != 1) {
            error = "vocabulary.txt:" + std::to_string(n + 1) + ": expected \"key = word,word\"";
            return false;
        }
        const std::string& key = st.head[0];
        std::vector<std::string>* target = key == "prefixes"          ? &out.prefixes
                                           : key == "directions"      ? &out.directions
                                           : key == "suffixes"        ? &out.suffixes
                                           : key == "stop-categories" ? &out.stop_categories
                                           : key == "line-categories" ? &out.line_categories
                                                                      : nullptr;
        if (!target) {
            error = "vocabulary.txt:" + std::to_string(n + 1) + ": unknown key " + key;
            return false;
        }
        *target = st.list;
    }
    if (out.prefixes.empty() || out.directions.empty() || out.suffixes.empty() || out.stop_categories.empty() ||
        out.line_categories.empty()) {
        error = "vocabulary.txt: every key needs at least one word";
        return false;
    }
    return true;
}

std::unique_ptr<Network> ParseCuratedNetwork(const std::string& text, std::string& error) {
    std::vector<std::string> stop_categories;
    std::vector<std::vector<std::string>> members;
    std::vector<std::string> line_categories;
    std::vector<Statement> line_statements;
    Statement st;
    auto lines = Lines(text);
    for (size_t n = 0; n < lines.size(); ++n) {
        if (IsComment(lines[n])) continue;
        std::string where = "network:" + std::to_string(n + 1) + ": ";
        if (!ParseStatement(lines[n], st)) {
            error = where + "expected a statement with '='";
            return nullptr;
        }
        if (st.head[0] == "stops" && st.head.size() == 2) {
            stop_categories.push_back(st.head[1]);
            members.push_back(st.list);
        } else if (st.head[0] == "line-categories" && st.head.size() == 1) {
            line_categories = st.list;
        } else if (st.head[0] == "line" && st.head.size() == 3) {
            line_statements.push_back(st);
        } else {
            error = where + "unknown statement";
            return nullptr;
        }
    }
    if (stop_categories.empty() || line_categories.empty()) {
        error = "network: needs stop and line categories";
        return nullptr;
    }
    auto network = std::make_unique<Network>(stop_categories, line_categories);
    for (const auto& line : line_statements) {
        std::size_t category = line_categories.size();
        for (std::size_t i = 0; i < line_categories.size(); ++i)
            if (line_categories[i] == line.head[2]) category = i;
        bool names_ok = ValidName(line.head[1]);
        for (const auto& stop : line.list) names_ok = names_ok && ValidName(stop);
        if (category == line_categories.size() || !names_ok ||
            !network->AddLine(line.head[1], category, line.list, stop_categories.size() - 1)) {
            error = "network: bad line " + line.head[1];
            return nullptr;
        }
    }
    for (std::size_t c = 0; c < members.size(); ++c)
        for (const auto& stop : members[c])
            if (network->FindStation(stop)) network->SetStationCategory(stop, c);
    return network;
}

std::unique_ptr<DataSet> LoadDataSet(const std::string& dir, std::string& error) {
    auto data = std::make_unique<DataSet>();
    std::string text;
    if (!ReadGbkFile(dir + "/geography.txt", text, error) || !ParseGeography(text, *data, error)) return nullptr;
    if (!ReadGbkFile(dir + "/vocabulary.txt", text, error) || !ParseVocabulary(text, data->vocabulary, error))
        return nullptr;
    if (!ReadGbkFile(dir + "/beijing.txt", text, error)) return nullptr;
    auto beijing = ParseCuratedNetwork(text, error);
    if (!beijing) return nullptr;
    if (!ReadGbkFile(dir + "/news.txt", text, error) || !ParseNews(text, data->news, error)) return nullptr;
    for (auto& city : data->cities) {
        city.network = city.label == "beijing" ? std::move(beijing)
                                               : GenerateCityNetwork(std::stoull(city.cid), data->vocabulary);
        city.planner = std::make_unique<Planner>(*city.network);
    }
    return data;
}

}  // namespace site
