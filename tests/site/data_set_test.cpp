#include "data_set.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <unistd.h>

#include "network_generator.h"
#include "site_fixture.h"

namespace {

// The data files are UTF-8, while narrow literals here are GBK.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(DataSet, HoldsTheMainlandsDivisionsWithUniqueLabelsAndCids) {
    const auto& data = site_test::RepositoryData();
    EXPECT_EQ(data.provinces.size(), 31u);
    EXPECT_GE(data.cities.size(), 330u);
    std::set<std::string> labels, cids, names;
    for (const auto& city : data.cities) {
        EXPECT_TRUE(labels.insert(city.label).second) << city.label;
        EXPECT_TRUE(cids.insert(city.cid).second) << city.cid;
        EXPECT_TRUE(names.insert(city.name).second) << "cnct keys must be unique";
        EXPECT_GE(city.network->Lines().size(), 5u) << city.label;
        // An empty category would make the picker report a failed query.
        for (std::size_t c = 0; c < city.network->StopCategories().size(); ++c)
            EXPECT_FALSE(city.network->StationsInCategory(c).empty()) << city.label << " stop category " << c;
        for (std::size_t c = 0; c < city.network->LineCategories().size(); ++c)
            EXPECT_FALSE(city.network->LinesInCategory(c).empty()) << city.label << " line category " << c;
    }
    EXPECT_EQ(data.FindCityByLabel("beijing")->cid, "1101");
    EXPECT_EQ(data.FindCityByLabel("shanghai")->name, "上海");
}

TEST(DataSet, BeijingDemoHoldsTheHintExamples) {
    const auto& n = *site_test::RepositoryData().FindCityByLabel("beijing")->network;
    for (const char* stop : {"永定门", "奥体中心", "天安门"}) EXPECT_TRUE(n.FindStation(stop)) << stop;
    EXPECT_TRUE(n.FindLine("11路"));
    for (std::size_t c = 0; c < n.StopCategories().size(); ++c) EXPECT_FALSE(n.StationsInCategory(c).empty());
    for (std::size_t c = 0; c < n.LineCategories().size(); ++c) EXPECT_FALSE(n.LinesInCategory(c).empty());
}

TEST(DataSet, GeneratedNetworksDependOnlyOnTheSeed) {
    const auto& vocabulary = site_test::RepositoryData().vocabulary;
    auto a = site::GenerateCityNetwork(1201, vocabulary);
    auto b = site::GenerateCityNetwork(1201, vocabulary);
    auto c = site::GenerateCityNetwork(1301, vocabulary);
    ASSERT_EQ(a->Lines().size(), b->Lines().size());
    for (std::size_t i = 0; i < a->Lines().size(); ++i) EXPECT_EQ(a->Lines()[i].stops, b->Lines()[i].stops);
    EXPECT_NE(a->StationName(0), c->StationName(0));

    auto large = site::GenerateLargeCityNetwork(1, vocabulary);
    EXPECT_GE(large->Lines().size(), 1150u);
    EXPECT_GE(large->StationCount(), 7000u);
}

TEST(DataSet, BrokenFilesAreRefusedWithTheirPlace) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("tarnbay_site_data_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (const char* file : {"geography.txt", "vocabulary.txt", "beijing.txt", "news.txt"})
        fs::copy_file(fs::path(site::DefaultDataDirectory()) / file, dir / file, fs::copy_options::overwrite_existing);
    struct Case {
        const char* file;
        std::string content;
        const char* says;
    };
    const Case cases[] = {
        {"geography.txt", Utf8(u8"* 11 北京市\n北京 beijing\n天津 beijing\n"), "host label used twice"},
        {"geography.txt", Utf8(u8"北京 beijing\n"), "geography.txt:1"},
        {"geography.txt", Utf8(u8"* 11 北京市\n北京 Bei/jing\n"), "geography.txt:2"},
        {"geography.txt", "* 11 x\n\xFF\xFE\n", "not UTF-8"},
        {"beijing.txt", Utf8(u8"stops 东城区 = 甲\nline-categories = 市区线路\nline 1路 无此类 = 甲,乙\n"), "bad line 1路"},
        {"news.txt", Utf8(u8"<b>标题</b> = 正文\n"), "news.txt:1"},
    };
    for (const auto& c : cases) {
        std::string keep;
        {
            std::ifstream in(dir / c.file, std::ios::binary);
            keep.assign(std::istreambuf_iterator<char>(in), {});
        }
        std::ofstream(dir / c.file, std::ios::binary) << c.content;
        std::string error;
        EXPECT_EQ(site::LoadDataSet(dir.string(), error), nullptr) << c.file;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        std::ofstream(dir / c.file, std::ios::binary) << keep;
    }
    std::string error;
    EXPECT_NE(site::LoadDataSet(dir.string(), error), nullptr) << error;
    fs::remove_all(dir);
}

}  // namespace
