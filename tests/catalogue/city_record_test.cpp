#include "catalogue/city_record.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

using catalogue::CityRecord;

struct LineCase {
    const char* name;
    std::string line;
    CityRecord expected;
};

class CityRecordParse : public ::testing::TestWithParam<LineCase> {};

TEST_P(CityRecordParse, CutsTheSixFields) {
    EXPECT_EQ(catalogue::ParseCityLine(GetParam().line), GetParam().expected);
}

const std::string kFullLine =
    "citys[1]={cid=11,city=\"beijing\",cnct=\"北京\",domain=\".bus.localhost:18080\","
    "ty_stat=\"公交站,地铁站\",ty_line=\"市区线路,郊区线路\",x=1};";
const CityRecord kFullRecord{"11",           "beijing",       "北京", ".bus.localhost:18080",
                             "公交站,地铁站", "市区线路,郊区线路"};

INSTANTIATE_TEST_SUITE_P(
    Cases, CityRecordParse,
    ::testing::Values(
        LineCase{"all_fields", kFullLine, kFullRecord},
        LineCase{"other_order",
                 "{ty_line=\"市区线路,郊区线路\",domain=\".bus.localhost:18080\",cnct=\"北京\","
                 "ty_stat=\"公交站,地铁站\",city=\"beijing\",cid=11,}",
                 kFullRecord},
        LineCase{"quoted_cid_keeps_quotes", "cid=\"11\",city=\"bj\",",
                 CityRecord{"\"11\"", "bj", "", "", "", ""}},
        LineCase{"ty_line_closed_by_brace_is_empty", "ty_stat=\"a,b\",ty_line=\"x,y\"}",
                 CityRecord{"", "", "", "", "a,b", ""}},
        LineCase{"value_holding_quote_comma_is_cut", "city=\"a\",b\",",
                 CityRecord{"", "a", "", "", "", ""}},
        LineCase{"empty_line", "", CityRecord{}},
        // A marker inside the second byte of a two-byte character is no marker.
        LineCase{"marker_after_lead_byte", "\xB1" "cid=5,cid=7,",
                 CityRecord{"7", "", "", "", "", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

class CityRecordLoad : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("city_record_test_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Write(const std::string& name, const std::string& bytes) {
        const auto path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::filesystem::path dir_;
};

TEST_F(CityRecordLoad, ReplacesAllSixFields) {
    catalogue::CurrentCity current;
    current.Replace(CityRecord{"1", "2", "3", "4", "5", "6"});
    catalogue::LoadCityRecord(Write("beijing", kFullLine), current);
    EXPECT_EQ(current.Snapshot(), kFullRecord);
}

TEST_F(CityRecordLoad, MissingOrEmptyFileEmptiesTheRecord) {
    catalogue::CurrentCity current;
    current.Replace(kFullRecord);
    catalogue::LoadCityRecord((dir_ / "absent").string(), current);
    EXPECT_EQ(current.Snapshot(), CityRecord{});

    current.Replace(kFullRecord);
    catalogue::LoadCityRecord(Write("empty", ""), current);
    EXPECT_EQ(current.Snapshot(), CityRecord{});
}

TEST_F(CityRecordLoad, TextEndsAtZeroByte) {
    catalogue::CurrentCity current;
    catalogue::LoadCityRecord(Write("nul", std::string("cid=3,\0city=\"x\",", 16)), current);
    EXPECT_EQ(current.Snapshot(), (CityRecord{"3", "", "", "", "", ""}));
}

TEST(CurrentCity, ReadersSeeWholeRecordsOnly) {
    catalogue::CurrentCity current;
    const CityRecord a{"1", "aaaa", "A", ".a", "sa", "la"};
    const CityRecord b{"2", "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb", "B", ".b", "sb", "lb"};
    current.Replace(a);
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) current.Replace(i % 2 ? a : b);
        stop = true;
    });
    int mixed = 0;
    while (!stop) {
        const CityRecord seen = current.Snapshot();
        if (!(seen == a) && !(seen == b)) ++mixed;
    }
    writer.join();
    EXPECT_EQ(mixed, 0);
}

}  // namespace
