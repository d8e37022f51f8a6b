#include "net/url_parts.h"

#include <climits>
#include <cstdint>
#include <string_view>

#include "net/text_pieces.h"
#include "net/text_search.h"

namespace net {
namespace {

constexpr std::string_view kScheme = "http://";
constexpr int kDefaultPort = 80;

// Where the host begins: after "http://" (any letter case), else at the start.
std::size_t HostStart(const std::string& url) {
    const bool has_scheme =
        FindTextIgnoreCase(std::string_view(url).substr(0, kScheme.size()), kScheme) == 0;
    return has_scheme ? kScheme.size() : 0;
}

// Host with its port, if any: from the host start up to the first "/" after it.
std::string HostAndPort(const std::string& url) {
    const std::size_t start = HostStart(url);
    const std::size_t slash = FindText(url, "/", start);
    return url.substr(start, slash == npos ? std::string::npos : slash - start);
}

}  // namespace

std::string HostOf(const std::string& url) {
    const std::string host_and_port = HostAndPort(url);
    return AsciiLower(std::string_view(host_and_port).substr(0, FindText(host_and_port, ":")));
}

int PortOf(const std::string& url) {
    const std::string host_and_port = HostAndPort(url);
    const std::size_t colon = FindText(host_and_port, ":");
    if (colon == npos) return kDefaultPort;
    const std::int64_t port = ReadWholeNumber(host_and_port.substr(colon + 1));
    if (port > INT_MAX) return INT_MAX;
    if (port < INT_MIN) return INT_MIN;
    return static_cast<int>(port);
}

std::string PathOf(const std::string& url) {
    // The host is searched for behind the scheme: a host such as "h" or "tp" must not be
    // found inside "http://" itself.
    const std::size_t host = FindTextIgnoreCase(url, HostOf(url), HostStart(url));
    const std::size_t slash = host == npos ? npos : FindText(url, "/", host);
    return slash == npos ? "/" : url.substr(slash);
}

}  // namespace net
