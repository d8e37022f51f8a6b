#include "app/shared_state.h"

namespace app {

void SharedState::Release() {
    city_record.Replace(catalogue::CityRecord{});
    city_lists = catalogue::CityLists{};
    news_titles.clear();
    news_links.clear();
    news_index = 0;
    news_interval = 0;
    tray.Release();
    settings_path.clear();
}

}  // namespace app
