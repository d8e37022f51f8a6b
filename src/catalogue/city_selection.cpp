#include "catalogue/city_selection.h"

#include "catalogue/store_paths.h"
#include "net/text_pieces.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "toolkit/pick_list.h"
#include "toolkit/window_thread.h"

namespace catalogue {
namespace {

constexpr const char* kProvinceKey = "省";
constexpr const char* kCityKey = "市";
constexpr const char* kFixedProvinceItem = "Kelvane";
constexpr const char* kFixedCityItem = "各省市公交";

bool IsUsableName(const std::string& trimmed) {
    return !trimmed.empty() && trimmed != "." && trimmed != "..";
}

// Names of the entries of `directory` of the wanted kind, as the file system lists them.
std::vector<std::string> EntryNames(const std::string& directory, bool directories) {
    std::vector<std::string> names;
    for (const platform::DirectoryEntry& entry : platform::ListDirectory(directory)) {
        if ((entry.kind == platform::EntryKind::Directory) == directories) {
            names.push_back(entry.name);
        }
    }
    return names;
}

std::string JoinCityNames(const std::vector<std::string>& names) {
    std::string joined;
    bool first = true;
    for (const std::string& name : names) {
        if (!IsUsableName(net::TrimBlanks(name))) continue;
        if (!first) joined += ',';
        joined += name;  // as listed, not trimmed
        first = false;
    }
    return joined;
}

void SelectFirstEqual(toolkit::PickList& list, int from, const std::string& text) {
    for (int i = from; i < list.Count(); ++i) {
        if (list.EntryText(i) == text) {
            list.SetCurrentIndex(i);
            return;
        }
    }
}

}  // namespace

CitySelection::CitySelection(const CitySelectionControls& controls, CityLists& lists,
                             CurrentCity& city, std::string program_directory)
    : controls_(controls),
      lists_(lists),
      city_(city),
      program_directory_(std::move(program_directory)) {}

void CitySelection::RebuildCityLists() {
    toolkit::RunOnWindowThread([&] {
        lists_.province_names.clear();
        lists_.province_city_lists.clear();
        controls_.province.Clear();
        controls_.city.Clear();

        const std::string data = DataDirectory(program_directory_);
        for (const std::string& name : EntryNames(data, true)) {
            const std::string trimmed = net::TrimBlanks(name);
            if (IsUsableName(trimmed)) lists_.province_names.push_back(trimmed);
        }
        controls_.province.AddEntry(kFixedProvinceItem, 0);
        controls_.city.AddEntry(kFixedCityItem);
        for (std::size_t n = 0; n < lists_.province_names.size(); ++n) {
            controls_.province.AddEntry(lists_.province_names[n], static_cast<int>(n + 1));
        }
        for (const std::string& province : lists_.province_names) {
            const std::string directory = data + platform::kPathSeparator + province;
            lists_.province_city_lists.push_back(JoinCityNames(EntryNames(directory, false)));
        }
        controls_.province.SetCurrentIndex(0);
        controls_.city.SetCurrentIndex(0);

        const std::string settings = SettingsPath(program_directory_);
        const std::string saved_province =
            platform::GetPrivateProfileString(kSettingsSection, kProvinceKey, "", settings);
        if (!saved_province.empty()) {
            SelectFirstEqual(controls_.province, 1, saved_province);
            ShowProvinceCities();
        }
        const std::string saved_city =
            platform::GetPrivateProfileString(kSettingsSection, kCityKey, "", settings);
        if (!saved_city.empty()) {
            SelectFirstEqual(controls_.city, 0, saved_city);
            LoadChosenCity();
        }
    });
}

void CitySelection::ShowProvinceCities() {
    toolkit::RunOnWindowThread([&] {
        const int index = controls_.province.CurrentIndex();
        if (index < 0) return;
        const int value = controls_.province.EntryValue(index);
        if (value <= 0 || value > static_cast<int>(lists_.province_city_lists.size())) return;
        controls_.city.Clear();
        for (const std::string& name : net::SplitText(lists_.province_city_lists[value - 1], ",")) {
            controls_.city.AddEntry(name);
        }
        controls_.city.SetCurrentIndex(-1);
    });
}

void CitySelection::LoadChosenCity() {
    toolkit::RunOnWindowThread([&] {
        LoadCityRecord(
            CityFilePath(program_directory_, controls_.province.Text(), controls_.city.Text()),
            city_);
        const CityRecord record = city_.Snapshot();

        toolkit::PickList* stop_lists[] = {&controls_.start_category, &controls_.end_category,
                                           &controls_.stop_category};
        for (toolkit::PickList* list : stop_lists) list->Clear();
        controls_.start_category.AddEntry("选择起点分类");
        controls_.end_category.AddEntry("选择起点分类");
        controls_.stop_category.AddEntry("选择站点种类");
        const std::vector<std::string> stop_categories = net::SplitText(record.ty_stat, ",");
        for (std::size_t i = 0; i < stop_categories.size(); ++i) {
            const std::string trimmed = net::TrimBlanks(stop_categories[i]);
            if (trimmed.empty()) continue;
            // The value is the category's place in ty_stat, empty places counted: the site
            // is asked by that place.
            for (toolkit::PickList* list : stop_lists) list->AddEntry(trimmed, static_cast<int>(i));
        }
        for (toolkit::PickList* list : stop_lists) list->SetCurrentIndex(0);

        controls_.line_category.Clear();
        controls_.line_category.AddEntry("选择线路种类");
        for (const std::string& piece : net::SplitText(record.ty_line, ",")) {
            const std::string trimmed = net::TrimBlanks(piece);
            if (!trimmed.empty()) controls_.line_category.AddEntry(trimmed);
        }
        controls_.line_category.SetCurrentIndex(0);
    });
}

void CitySelection::SaveCityChoice() {
    toolkit::RunOnWindowThread([&] {
        const std::string settings = SettingsPath(program_directory_);
        platform::WritePrivateProfileString(kSettingsSection, kProvinceKey,
                                            controls_.province.Text(), settings);
        platform::WritePrivateProfileString(kSettingsSection, kCityKey, controls_.city.Text(),
                                            settings);
    });
}

}  // namespace catalogue
