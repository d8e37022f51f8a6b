#pragma once

#include <string>

// The pieces of a URL that a connection and a request need.
namespace net {

// Host of a URL in small letters, without port; "http://" optional, letter case ignored.
std::string HostOf(const std::string& url);
// Port of a URL: 80 without ":", 0 when what follows ":" is not a number.
int PortOf(const std::string& url);
// Path with query (and fragment) of a URL; "/" when there is none.
std::string PathOf(const std::string& url);

}  // namespace net
