#include "net/remote_sites.h"

#include "net/remote_sites_config.h"
#include "net/text_helpers.h"

namespace net {

// <a class="ad"
const char* const kRemovedLinkMarker = "{60;97;32;99;108;97;115;115;61;34;97;100;34}";

RemoteAddresses BuiltInRemoteAddresses() {
    return RemoteAddresses{TARNBAY_CATALOGUE_PAGE_BYTES, TARNBAY_CITY_SCRIPT_BASE_BYTES,
                           TARNBAY_CONFIG_PAGE_BYTES, TARNBAY_NEWS_PAGE_BYTES,
                           TARNBAY_DOWNLOAD_PAGE_BYTES};
}

std::string MakerHomeAddress() { return TARNBAY_MAKER_HOME_BYTES; }

RemoteAddresses RemoteAddressesFor(const std::string& bus_host, const std::string& maker_host) {
    const std::string bus = "http://" + bus_host;
    const std::string maker = "http://" + maker_host;
    return RemoteAddresses{ConvertByteList(bus + "/cities.html"), ConvertByteList(bus + "/js/city"),
                           ConvertByteList(maker + "/config.css"),
                           ConvertByteList(maker + "/news.html"),
                           ConvertByteList(maker + "/download.html")};
}

}  // namespace net
