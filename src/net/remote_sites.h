#pragma once

#include <string>

// The fixed addresses of the two remote sites. They are kept in byte-list notation and turned
// into text with ConvertByteList just before each use.
namespace net {

struct RemoteAddresses {
    std::string catalogue_page;    // the nationwide list of provinces and cities
    std::string city_script_base;  // city script j is this, j in decimal, and ".js"
    std::string config_page;       // the maker's configuration page
    std::string news_page;         // the maker's news page
    std::string download_page;     // the maker's download page (opened, never fetched)
};

// The addresses this build was configured with (TARNBAY_BUS_SITE / TARNBAY_MAKER_SITE).
RemoteAddresses BuiltInRemoteAddresses();

// Addresses on other hosts, e.g. a test server: "http://" + host + the fixed paths, each in
// byte-list notation like the built-in ones.
RemoteAddresses RemoteAddressesFor(const std::string& bus_host, const std::string& maker_host);

// The maker's home address as the about page shows it, in byte-list notation.
std::string MakerHomeAddress();

// The opening of the links that station pages and followed-link pages lose, in byte-list
// notation; the blocks run from it through the next "</a>".
extern const char* const kRemovedLinkMarker;

}  // namespace net
