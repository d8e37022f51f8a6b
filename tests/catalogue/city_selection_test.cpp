#include "catalogue/city_selection.h"

#include <gtest/gtest.h>

#include "platform/profile.h"
#include "support/temp_dir.h"
#include "support/widget_test.h"
#include "toolkit/pick_list.h"
#include "toolkit/window.h"

namespace {

using testsupport::TempDir;
using testsupport::Utf8;

std::string CityLine(const std::string& ty_stat, const std::string& ty_line) {
    return "cid=1,city=\"c\",cnct=\"n\",domain=\".d\",ty_stat=\"" + ty_stat + "\",ty_line=\"" +
           ty_line + "\",";
}

class CitySelectionTest : public ::testing::Test {
protected:
    std::vector<std::string> Entries(const toolkit::PickList& list) {
        std::vector<std::string> texts;
        for (int i = 0; i < list.Count(); ++i) texts.push_back(list.EntryText(i));
        return texts;
    }
    std::string SavedKey(const char* key) {
        return platform::GetPrivateProfileString("Config", key, "", dir_.gbk() + "/tmp.ini");
    }

    TempDir dir_;
    toolkit::Window window_{toolkit::WindowStyle{}};
    toolkit::PickList province_{window_.widget()}, city_{window_.widget()},
        start_{window_.widget()}, end_{window_.widget()}, line_{window_.widget()},
        stop_{window_.widget()};
    catalogue::CityLists lists_;
    catalogue::CurrentCity record_;
    catalogue::CitySelection selection_{{province_, city_, start_, end_, line_, stop_},
                                        lists_, record_, dir_.gbk()};
};

TEST_F(CitySelectionTest, NoDataDirectoryLeavesTheFixedItems) {
    selection_.RebuildCityLists();
    EXPECT_EQ(Entries(province_), std::vector<std::string>{"Kelvane"});
    EXPECT_EQ(Entries(city_), std::vector<std::string>{"各省市公交"});
    EXPECT_EQ(province_.CurrentIndex(), 0);
    EXPECT_EQ(city_.CurrentIndex(), 0);
}

TEST_F(CitySelectionTest, ProvincesCitiesAndASecondRebuild) {
    dir_.Write(Utf8("data/河北/石家庄"), CityLine("a", "b"));
    dir_.Write(Utf8("data/河北/保定"), CityLine("a", "b"));
    std::filesystem::create_directories(dir_.path() / Utf8("data/西藏"));  // no city files
    selection_.RebuildCityLists();
    selection_.RebuildCityLists();
    ASSERT_EQ(lists_.province_names.size(), 2u);  // once each, not twice
    EXPECT_EQ(province_.Count(), 3);
    const int hebei = lists_.province_names[0] == "河北" ? 1 : 2;
    EXPECT_EQ(province_.EntryValue(hebei), hebei);

    province_.ChooseEntry(hebei);
    selection_.ShowProvinceCities();
    auto cities = Entries(city_);
    std::sort(cities.begin(), cities.end());
    EXPECT_EQ(cities, (std::vector<std::string>{"保定", "石家庄"}));
    EXPECT_EQ(city_.CurrentIndex(), -1);

    province_.SetCurrentIndex(3 - hebei);  // the province without city files
    selection_.ShowProvinceCities();
    EXPECT_EQ(city_.Count(), 0);

    city_.AddEntry("kept");
    province_.SetCurrentIndex(0);  // the fixed item leaves the city list alone
    selection_.ShowProvinceCities();
    EXPECT_EQ(Entries(city_), std::vector<std::string>{"kept"});
}

TEST_F(CitySelectionTest, CategoryValuesCountEmptyPlaces) {
    struct Case {
        std::string ty_stat;
        std::vector<std::pair<std::string, int>> expected;
    };
    const Case cases[] = {
        {"A,,B", {{"A", 0}, {"B", 2}}},
        {" A , B", {{"A", 0}, {"B", 1}}},
        {"　甲　,乙,", {{"甲", 0}, {"乙", 1}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        dir_.Write(Utf8("data/P/C"), CityLine(c.ty_stat, " L1 ,,L2"));
        dir_.Write("tmp.ini", "[Config]\r\n省=P\r\n市=C\r\n");  // contents are GBK
        selection_.RebuildCityLists();
        for (toolkit::PickList* list : {&start_, &end_, &stop_}) {
            ASSERT_EQ(list->Count(), static_cast<int>(c.expected.size()) + 1) << c.ty_stat;
            for (std::size_t i = 0; i < c.expected.size(); ++i) {
                EXPECT_EQ(list->EntryText(static_cast<int>(i) + 1), c.expected[i].first);
                EXPECT_EQ(list->EntryValue(static_cast<int>(i) + 1), c.expected[i].second);
            }
        }
        EXPECT_EQ(Entries(line_), (std::vector<std::string>{"选择线路种类", "L1", "L2"}));
        EXPECT_EQ(line_.EntryValue(2), 0);  // line categories carry no value
    }
}

TEST_F(CitySelectionTest, SavingTheFixedItemIsNotFoundAgain) {
    dir_.Write(Utf8("data/P/C"), CityLine("a", "b"));
    selection_.RebuildCityLists();
    selection_.SaveCityChoice();
    EXPECT_EQ(SavedKey("省"), "Kelvane");
    EXPECT_EQ(SavedKey("市"), "各省市公交");
    selection_.RebuildCityLists();
    EXPECT_EQ(province_.CurrentIndex(), 0);
    EXPECT_EQ(record_.Snapshot(), catalogue::CityRecord{});  // no such city file
}

TEST_F(CitySelectionTest, PickedCityIsLoadedAndSaved) {
    dir_.Write(Utf8("data/P/C"), CityLine("a", "b"));
    selection_.RebuildCityLists();
    province_.ChooseEntry(1);
    selection_.ShowProvinceCities();
    city_.ChooseEntry(0);
    selection_.LoadChosenCity();
    EXPECT_EQ(record_.Snapshot().ty_stat, "a");
    selection_.SaveCityChoice();
    EXPECT_EQ(SavedKey("省"), "P");
    EXPECT_EQ(SavedKey("市"), "C");
}

}  // namespace
