#pragma once

#include <string>
#include <vector>

#include "catalogue/city_record.h"

namespace toolkit {
class PickList;
}

// The province and city chooser: both lists built from the local store, the saved choice
// restored, a province's cities shown, the chosen city loaded with its categories.
namespace catalogue {

// What the last rebuild found in the store.
struct CityLists {
    std::vector<std::string> province_names;        // trimmed directory names, as listed
    std::vector<std::string> province_city_lists;   // parallel: city file names joined by ","
};

// The lists it fills, by their layout names.
struct CitySelectionControls {
    toolkit::PickList& province;        // 组合框_省
    toolkit::PickList& city;            // 组合框_市
    toolkit::PickList& start_category;  // 组合框1
    toolkit::PickList& end_category;    // 组合框3
    toolkit::PickList& line_category;   // 组合框5
    toolkit::PickList& stop_category;   // 组合框7
};

class CitySelection {
public:
    CitySelection(const CitySelectionControls& controls, CityLists& lists, CurrentCity& city,
                  std::string program_directory);

    // Each runs on the window thread whoever calls it, so a rebuild asked for by a worker
    // never overlaps the list handlers.
    void RebuildCityLists();
    void ShowProvinceCities();  // the user picked a province
    void LoadChosenCity();      // the user picked a city
    void SaveCityChoice();      // the user pressed 设置城市

private:
    CitySelectionControls controls_;
    CityLists& lists_;
    CurrentCity& city_;
    std::string program_directory_;
};

}  // namespace catalogue
