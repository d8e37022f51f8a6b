// The catalogue page and city scripts, read the way the program reads them.
#include <boost/regex.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/text_helpers.h"
#include "site_fixture.h"
#include "text_util.h"

namespace {

using site_test::RunningSite;

// Case-sensitive, "." matches line breaks; all non-overlapping matches, group 1 of each.
std::vector<std::string> Groups(const std::string& text, const char* pattern) {
    boost::regex re(pattern, boost::regex_constants::perl | boost::regex_constants::mod_s);
    std::vector<std::string> out;
    for (boost::sregex_iterator it(text.begin(), text.end(), re, boost::match_default), end; it != end; ++it)
        out.push_back((*it)[1].str());
    return out;
}

struct CityRecord {
    std::string cid, city, cnct, domain, ty_stat, ty_line;
};

CityRecord ParseCityLine(const std::string& line) {
    return {net::CutBetween(line, "cid=", ","),          net::CutBetween(line, "city=\"", "\","),
            net::CutBetween(line, "cnct=\"", "\","),     net::CutBetween(line, "domain=\"", "\","),
            net::CutBetween(line, "ty_stat=\"", "\","),  net::CutBetween(line, "ty_line=\"", "\",")};
}

// The line of a script that holds the city's key, as the split finds it.
std::string LineWithKey(const std::string& script, const std::string& name) {
    for (const auto& line : site::Split(script, '\n'))
        if (line.find("cnct=\"" + name + "\"") != std::string::npos) return line;
    return {};
}

class Catalogue : public ::testing::Test {
protected:
    static void SetUpTestSuite() { site_ = new RunningSite(site_test::RepositoryData()); }
    static void TearDownTestSuite() { delete site_; }
    static RunningSite* site_;
};
RunningSite* Catalogue::site_ = nullptr;

TEST_F(Catalogue, PatternsGiveCountHeadingsAndBlocks) {
    const auto& data = site_test::RepositoryData();
    std::string page = site_->Get("bus.localhost", "/cities.html");

    EXPECT_EQ(Groups(page, "<a href=(.*?)><strong>").size(), data.cities.size());
    auto headings = Groups(page, "<h1>(.*?)</h1>");
    ASSERT_EQ(headings.size(), data.provinces.size() + 1);
    EXPECT_EQ(headings[0], ">Kelvane");
    EXPECT_EQ(headings[1], "北京市");
    EXPECT_EQ(headings.back(), "新疆维吾尔自治区");

    auto blocks = Groups(page, "<ul>(.*?)</ul>");
    ASSERT_EQ(blocks.size(), data.provinces.size() + 1);
    EXPECT_TRUE(Groups(blocks[0], "<strong>(.*?)</strong>").empty()) << "the first block belongs to no province";
    for (std::size_t k = 0; k < data.provinces.size(); ++k) {
        EXPECT_EQ(headings[k + 1], data.provinces[k].name);
        std::vector<std::string> expected;
        for (std::size_t c : data.provinces[k].cities) expected.push_back(data.cities[c].name);
        EXPECT_EQ(Groups(blocks[k + 1], "<strong>(.*?)</strong>"), expected) << data.provinces[k].name;
    }
}

TEST_F(Catalogue, EveryScriptLineParsesToARecordWhoseHostAnswers) {
    const auto& data = site_test::RepositoryData();
    const std::string domain = ".bus.localhost:" + std::to_string(site_->port());
    for (std::size_t j = 1; j <= data.cities.size(); ++j) {
        const auto& city = data.cities[j - 1];
        std::string script = site_->Get("bus.localhost", "/js/city" + std::to_string(j) + ".js");
        CityRecord r = ParseCityLine(LineWithKey(script, city.name));
        ASSERT_EQ(r.cnct, city.name) << j;
        EXPECT_EQ(r.cid, city.cid);
        EXPECT_EQ(r.domain, domain);
        EXPECT_FALSE(r.ty_stat.empty());
        EXPECT_FALSE(r.ty_line.empty());
        ASSERT_EQ(r.city.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789"), std::string::npos) << r.city;

        // The host is city + domain; its first stop category must list stops.
        auto reply = site_test::Fetch(site_->port(), r.city + r.domain, "/city1.php?t=" + r.cid + "/p0");
        ASSERT_EQ(reply.status, 200) << r.city;
        EXPECT_FALSE(reply.body.empty()) << r.city;
    }
    EXPECT_EQ(site_test::Fetch(site_->port(), "bus.localhost", "/js/city" + std::to_string(data.cities.size() + 1) + ".js").status,
              404);
    EXPECT_EQ(site_test::Fetch(site_->port(), "bus.localhost", "/js/city0.js").status, 404);
}

TEST_F(Catalogue, CategoryAnswersMatchTheRecordsCategories) {
    // Beijing's record, then every category it names: stop category n is its 0-based position
    // in ty_stat, line category n its 1-based position in ty_line (0 = the prompt: all lines).
    std::string script = site_->Get("bus.localhost", "/js/city1.js");
    CityRecord r = ParseCityLine(LineWithKey(script, "北京"));
    std::string host = r.city + r.domain;
    const auto& network = *site_test::RepositoryData().FindCityByLabel("beijing")->network;

    auto stop_categories = site::Split(r.ty_stat, ',');
    ASSERT_EQ(stop_categories.size(), network.StopCategories().size());
    std::size_t listed = 0;
    for (std::size_t n = 0; n < stop_categories.size(); ++n) {
        auto names = site::Split(site_->Get(host, "/city1.php?t=" + r.cid + "/p" + std::to_string(n)), ',');
        for (const auto& name : names) {
            auto id = network.FindStation(name);
            ASSERT_TRUE(id) << name;
            EXPECT_EQ(network.StopCategories()[network.StationCategory(*id)], stop_categories[n]);
        }
        listed += names.size();
    }
    EXPECT_EQ(listed, network.StationCount()) << "every stop is in exactly one category";
    EXPECT_NE(site::Split(site_->Get(host, "/city1.php?t=" + r.cid + "/p0"), ',').size(), 0u);

    auto line_categories = site::Split(r.ty_line, ',');
    for (std::size_t n = 1; n <= line_categories.size(); ++n)
        for (const auto& name : site::Split(site_->Get(host, "/city1.php?t=" + r.cid + "/pp" + std::to_string(n)), ',')) {
            auto id = network.FindLine(name);
            ASSERT_TRUE(id) << name;
            EXPECT_EQ(network.LineCategories()[network.Lines()[*id].category], line_categories[n - 1]);
        }
    EXPECT_EQ(site::Split(site_->Get(host, "/city1.php?t=" + r.cid + "/pp0"), ',').size(), network.Lines().size());
    EXPECT_NE(site_->Get(host, "/city1.php?t=" + r.cid + "/pp1").find("11路"), std::string::npos);

    // Out of range, malformed, or another city's cid: an empty answer, which the picker reports.
    for (const char* t : {"/p99", "/pp99", "/px", "/q1", "", "/p-1"})
        EXPECT_EQ(site_->Get(host, "/city1.php?t=" + r.cid + t), "") << t;
    EXPECT_EQ(site_->Get(host, "/city1.php?t=1201/p0"), "");
}

}  // namespace
