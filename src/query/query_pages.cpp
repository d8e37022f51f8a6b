#include "query/query_pages.h"

#include "net/fetch_page.h"
#include "net/remote_sites.h"
#include "net/text_helpers.h"

namespace query {
namespace {

std::string PageAddress(const CityHost& host, const std::string& path_and_query) {
    return "http://" + host.city + host.domain + path_and_query;
}

}  // namespace

std::string TransferAddress(const CityHost& host, const std::string& start_stop,
                            const std::string& end_stop) {
    return PageAddress(host, "/so.php?k=p2p&q=" + start_stop + "&q1=" + end_stop);
}

std::string LineAddress(const CityHost& host, const std::string& line_name) {
    return PageAddress(host, "/so.php?k=pp&q=" + line_name);
}

std::string StationAddress(const CityHost& host, const std::string& stop_name) {
    return PageAddress(host, "/so.php?k=p&q=" + stop_name);
}

std::string CleanFragment(const std::string& fragment, bool remove_marked_links) {
    std::string cleaned = net::RemoveBlocks(fragment, "<script", "</script>");
    if (remove_marked_links) {
        cleaned = net::RemoveBlocks(cleaned, net::ConvertByteList(net::kRemovedLinkMarker), "</a>");
    }
    return cleaned;
}

std::string TransferFragment(const std::string& page) {
    // The list's own opening tag stays: the fragment is shown as a whole list.
    return CleanFragment(net::CutBetween(page, "<ul id=\"re_con\"", "</div><div id", true), false);
}

std::string LineFragment(const std::string& page) {
    return CleanFragment(net::CutBetween(page, "<div class=\"left\">", "</ul>"), false);
}

std::string StationFragment(const std::string& page) {
    return CleanFragment(net::CutBetween(page, "<div class=\"left\">", "<div id=\"ftad\""), true);
}

std::string FetchTransferFragment(const CityHost& host, const std::string& start_stop,
                                  const std::string& end_stop) {
    return TransferFragment(net::FetchPage(TransferAddress(host, start_stop, end_stop)));
}

std::string FetchLineFragment(const CityHost& host, const std::string& line_name) {
    return LineFragment(net::FetchPage(LineAddress(host, line_name)));
}

std::string FetchStationFragment(const CityHost& host, const std::string& stop_name) {
    return StationFragment(net::FetchPage(StationAddress(host, stop_name)));
}

}  // namespace query
