#include "net/remote_sites.h"

#include <gtest/gtest.h>

#include "net/text_helpers.h"

namespace {

TEST(RemoteSites, AddressesAreStoredAsByteLists) {
    const net::RemoteAddresses built_in = net::BuiltInRemoteAddresses();
    for (const std::string* address : {&built_in.catalogue_page, &built_in.city_script_base,
                                       &built_in.config_page, &built_in.news_page,
                                       &built_in.download_page}) {
        ASSERT_EQ(address->front(), '{');
        EXPECT_EQ(net::ConvertByteList(*address).rfind("http://", 0), 0u);
        EXPECT_EQ(address->find("http"), std::string::npos);
    }
}

TEST(RemoteSites, BuiltInAddressesHaveTheFixedPaths) {
    const net::RemoteAddresses a = net::BuiltInRemoteAddresses();
    const std::string catalogue = net::ConvertByteList(a.catalogue_page);
    EXPECT_NE(catalogue.find("/cities.html"), std::string::npos);
    EXPECT_NE(net::ConvertByteList(a.city_script_base).find("/js/city"), std::string::npos);
    EXPECT_NE(net::ConvertByteList(a.config_page).find("/config.css"), std::string::npos);
    EXPECT_NE(net::ConvertByteList(a.news_page).find("/news.html"), std::string::npos);
    EXPECT_NE(net::ConvertByteList(a.download_page).find("/download.html"), std::string::npos);
    EXPECT_EQ(net::ConvertByteList(net::MakerHomeAddress()).rfind("http://", 0), 0u);
}

TEST(RemoteSites, OtherHostsForTests) {
    const net::RemoteAddresses a = net::RemoteAddressesFor("bus.localhost:1234", "maker:99");
    EXPECT_EQ(net::ConvertByteList(a.catalogue_page), "http://bus.localhost:1234/cities.html");
    EXPECT_EQ(net::ConvertByteList(a.city_script_base), "http://bus.localhost:1234/js/city");
    EXPECT_EQ(net::ConvertByteList(a.config_page), "http://maker:99/config.css");
    EXPECT_EQ(net::ConvertByteList(a.news_page), "http://maker:99/news.html");
    EXPECT_EQ(net::ConvertByteList(a.download_page), "http://maker:99/download.html");
}

TEST(RemoteSites, RemovedLinkMarkerDecodes) {
    EXPECT_EQ(net::ConvertByteList(net::kRemovedLinkMarker), "<a class=\"ad\"");
}

}  // namespace
