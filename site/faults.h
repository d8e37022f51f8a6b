#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "answer.h"
#include "data_set.h"

namespace site {

// Misbehaviour on request, for the client's reliability tests.
enum class FaultMode {
    kRefuse,      // close the connection at once, answer nothing
    kStall,       // read the request, then send nothing and keep the connection open
    kSlow,        // send the answer a few bytes at a time
    kReset,       // send the head and half the body, then reset the connection
    kHuge,        // pad the body to 20 MiB
    kBadGbk,      // put byte pairs that are no GBK characters into the page
    kNul,         // put a NUL byte into the page
    kNoMarkers,   // rewrite every marker the program cuts at, so none is found
    kOpenScript,  // leave a script block without its end inside the fragment
    kHostile,     // add catalogue names holding "/", "\" and ".."
};

struct FaultRule {
    FaultMode mode;
    std::string path;  // empty: every request
    bool Applies(std::string_view request_path) const { return path.empty() || path == request_path; }
};

// "MODE" or "MODE:PATH", e.g. "slow:/cities.html". Null for an unknown mode or a path that
// does not start with '/'.
std::optional<FaultRule> ParseFaultRule(std::string_view text);
const char* FaultModeName(FaultMode mode);

// Modes that need control of the socket itself, not just of the body.
bool IsTransportFault(FaultMode mode);

// The first rule that applies to a request path, or null.
const FaultRule* FindFault(const std::vector<FaultRule>& rules, std::string_view path);

// Rewrites an answer for the body-level modes; others leave it alone.
void ApplyBodyFault(FaultMode mode, Answer& answer);

// Hostile names for the catalogue: two provinces whose names and cities hold path separators
// and "..". Their host labels are harmless, so their pages still answer.
void AddHostileCatalogueEntries(DataSet& data);

inline constexpr std::size_t kHugeBodySize = 20u * 1024u * 1024u;

}  // namespace site
