#pragma once

#include <string>
#include <vector>

#include "catalogue/city_split.h"
#include "catalogue/update_notice.h"
#include "net/remote_sites.h"

// The first stage of the catalogue update: the catalogue page, its province headings and the
// numbered city scripts into tmp.dat, then each province's city names for the split.
namespace catalogue {

// Group 1 of every match of `pattern` in `text`, from the start, without overlapping.
// Case-sensitive, "." matches line breaks too, "^" and "$" anchor only at the ends of the
// whole text. A text too costly to match gives what was found before the matcher gave up.
std::vector<std::string> FindAllGroups(const std::string& text, const std::string& pattern);

class CatalogueDownload {
public:
    CatalogueDownload(const UpdateControls& controls, const net::RemoteAddresses& addresses,
                      std::string program_directory, ShowNoticeFn show_notice, CitySplit& split);

    // The click handler of 更新 and the Yes of the two questions. Runs on the window thread
    // (whoever calls it) and returns once the first split has started; the update goes on in
    // the background. While an update runs, a second start does nothing.
    void DownloadCatalogue();

    // Lists the cities of the selected province in 组合框10 and starts its split. Runs on the
    // window thread for the first province and on the previous split's thread for the others.
    // Without the province's block in the catalogue page (a failed fetch, no headings) the
    // update ends as failed.
    void CollectProvinceCities();

private:
    std::string FetchCataloguePage() const;
    void WriteCityScripts(std::size_t count);

    UpdateControls c_;
    net::RemoteAddresses addresses_;
    std::string program_directory_;
    ShowNoticeFn show_notice_;
    CitySplit& split_;
};

}  // namespace catalogue
