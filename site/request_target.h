#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace site {

// A request target split into its path and query parameters, each decoded to the GBK bytes
// the client meant. The client sends raw GBK with only blanks and control bytes escaped, a
// browser sends everything escaped; both decode to the same text. '+' stays a plus sign: the
// program never writes it for a blank, and a stop name may hold one.
struct RequestTarget {
    std::string path;
    std::vector<std::pair<std::string, std::string>> params;

    // The first value of `key`, if present.
    std::optional<std::string> Param(std::string_view key) const;
};

// %XX with two hex digits becomes the byte; any other '%' is kept as it stands.
std::string PercentDecode(std::string_view text);
RequestTarget ParseTarget(std::string_view raw_target);

// The host name of a Host header, lower-cased, without its port; empty when the header is not
// a plausible host name (so that odd bytes never reach the dispatch).
std::string HostNameOf(std::string_view host_header);

}  // namespace site
