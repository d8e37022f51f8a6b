#include "catalogue/catalogue_download.h"

#include <boost/regex.hpp>
#include <exception>

#include "catalogue/store_paths.h"
#include "net/fetch_page.h"
#include "net/text_helpers.h"
#include "platform/files.h"
#include "toolkit/pick_list.h"
#include "toolkit/status_bar.h"
#include "toolkit/tab_control.h"
#include "toolkit/window_thread.h"

namespace catalogue {
namespace {

constexpr int kProgressPane = 1;

// What the catalogue page offers.
constexpr const char* kScriptLinkPattern = "<a href=(.*?)><strong>";  // one per city script
constexpr const char* kHeadingPattern = "<h1>(.*?)</h1>";             // the provinces
constexpr const char* kBlockPattern = "<ul>(.*?)</ul>";  // a first block, then one per province
constexpr const char* kCityNamePattern = "<strong>(.*?)</strong>";  // inside a block
constexpr const char* kTitleHeading = ">Kelvane";  // the page's title, no province

constexpr const char* kReading = "读取网络配置文件...";
constexpr const char* kReadingScripts = "读取网络配置文件...|";
constexpr const char* kAnalysing = "分析网络配置文件...";
constexpr const char* kSaving = "保存网络配置文件...";

}  // namespace

std::vector<std::string> FindAllGroups(const std::string& text, const std::string& pattern) {
    std::vector<std::string> groups;
    try {
        const boost::regex expression(
            pattern, boost::regex::perl | boost::regex::mod_s | boost::regex::no_mod_m);
        for (boost::sregex_iterator match(text.begin(), text.end(), expression), end;
             match != end; ++match) {
            groups.push_back((*match)[1].str());
        }
    } catch (const std::exception&) {
        // Boost gives up on a text that would take too long or too much memory to match.
        // A part of the matches would pass for the whole list, so there are none.
        groups.clear();
    }
    return groups;
}

CatalogueDownload::CatalogueDownload(const UpdateControls& controls,
                                     const net::RemoteAddresses& addresses,
                                     std::string program_directory, ShowNoticeFn show_notice,
                                     CitySplit& split)
    : c_(controls),
      addresses_(addresses),
      program_directory_(std::move(program_directory)),
      show_notice_(std::move(show_notice)),
      split_(split) {}

std::string CatalogueDownload::FetchCataloguePage() const {
    return net::FetchPage(net::ConvertByteList(addresses_.catalogue_page));
}

void CatalogueDownload::DownloadCatalogue() {
    toolkit::RunOnWindowThread([&] {
        if (!split_.BeginUpdate()) return;  // one update at a time
        c_.query_pages.SetEnabled(false);
        c_.status_bar.SetPaneText(kProgressPane, kReading);
        const std::string page = FetchCataloguePage();
        const std::size_t scripts = FindAllGroups(page, kScriptLinkPattern).size();
        c_.headings.Clear();
        for (const std::string& heading : FindAllGroups(page, kHeadingPattern)) {
            if (heading != kTitleHeading) c_.headings.AddEntry(heading);
        }
        c_.status_bar.SetPaneText(kProgressPane, kAnalysing);
        ShowUpdateNotice(show_notice_, kAnalysing);
        c_.headings.SetCurrentIndex(0);
        ShowUpdateNotice(show_notice_, kReadingScripts);
        WriteCityScripts(scripts);
        if (toolkit::WindowThreadClosed()) return;  // the program ended during the download
        CollectProvinceCities();
    });
}

void CatalogueDownload::WriteCityScripts(std::size_t count) {
    const std::string path = CatalogueDownloadPath(program_directory_);
    // Created empty, then each body appended as it arrives: one script in memory at a time.
    const bool created = platform::WriteWholeFile(path, "");
    for (std::size_t j = 1; j <= count && !toolkit::WindowThreadClosed(); ++j) {
        const std::string body = net::FetchPage(net::ConvertByteList(addresses_.city_script_base) +
                                                std::to_string(j) + ".js");
        c_.status_bar.SetPaneText(kProgressPane, kReadingScripts + body);
        if (created) platform::AppendToFile(path, body + "\r\n");
    }
}

void CatalogueDownload::CollectProvinceCities() {
    const std::string page = FetchCataloguePage();
    const std::vector<std::string> blocks = FindAllGroups(page, kBlockPattern);
    int province = -1;
    if (!toolkit::RunOnWindowThread([&] { province = c_.headings.CurrentIndex(); })) return;
    // The first block belongs to no province: province k has block k + 1 (from 0).
    if (province < 0 || static_cast<std::size_t>(province) + 1 >= blocks.size()) {
        split_.EndFailedUpdate();
        return;
    }
    const std::vector<std::string> names = FindAllGroups(blocks[province + 1], kCityNamePattern);
    const bool listed = toolkit::RunOnWindowThread([&] {
        c_.city_names.Clear();
        ShowUpdateNotice(show_notice_, kSaving);
        for (const std::string& name : names) {
            c_.city_names.AddEntry(name);
            c_.status_bar.SetPaneText(kProgressPane, kSaving + std::string("|") + name);
        }
    });
    if (listed) split_.StartCitySplit();
}

}  // namespace catalogue
