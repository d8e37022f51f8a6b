#include "net/url_parts.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct UrlCase {
    const char* url;
    const char* host;
    int port;
    const char* path;
};

std::ostream& operator<<(std::ostream& out, const UrlCase& c) {
    return out << c.url;
}

class UrlPartsTest : public testing::TestWithParam<UrlCase> {};

TEST_P(UrlPartsTest, SplitsTheUrl) {
    const UrlCase& c = GetParam();
    EXPECT_EQ(net::HostOf(c.url), c.host);
    EXPECT_EQ(net::PortOf(c.url), c.port);
    EXPECT_EQ(net::PathOf(c.url), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    UrlParts, UrlPartsTest,
    testing::Values(
        UrlCase{"http://Bus.Example.COM:8080/line/search.php?q=1&x=Y#top", "bus.example.com", 8080,
                "/line/search.php?q=1&x=Y#top"},
        UrlCase{"HTTP://Bus.Example.com/a", "bus.example.com", 80, "/a"},
        UrlCase{"hTtP://host/", "host", 80, "/"},
        // Without the scheme: the same pieces as with it.
        UrlCase{"Bus.Example.COM:8080/line/search.php?q=1", "bus.example.com", 8080,
                "/line/search.php?q=1"},
        UrlCase{"http://host", "host", 80, "/"}, UrlCase{"host", "host", 80, "/"},
        UrlCase{"http://host:8080", "host", 8080, "/"},
        UrlCase{"http://host:8080?q=1", "host", 8080, "/"},
        UrlCase{"http://host:/p", "host", 0, "/p"}, UrlCase{"http://host:abc/p", "host", 0, "/p"},
        UrlCase{"http://host:81.9/p", "host", 81, "/p"},
        UrlCase{"http://host:a:b/p", "host", 0, "/p"}, UrlCase{"", "", 80, "/"},
        // The path begins after the host, not at a "/" that a host such as "h" or "tp" would
        // meet inside the scheme itself.
        UrlCase{"http://h/x", "h", 80, "/x"}, UrlCase{"http://tp:81/x?a", "tp", 81, "/x?a"},
        UrlCase{"https://host/x", "https", 0, "//host/x"},  // only "http://" is a scheme
        // GBK: B9 2F and 81 3A are characters whose trail bytes are "/" and ":"; they split
        // nothing. D6 D0 is kept as it is in the lowered host.
        UrlCase{"http://\xB9/Bus:81/\xD6\xD0", "\xB9/bus", 81, "/\xD6\xD0"},
        UrlCase{"http://A\x81:B/p\x81/q", "a\x81:b", 80, "/p\x81/q"},
        UrlCase{"\xD6\xD0\x81:X.cn:90/\xB9/", "\xD6\xD0\x81:x.cn", 90, "/\xB9/"}));

}  // namespace
