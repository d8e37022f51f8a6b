#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace site {

// Splits at every `sep`, keeping empty pieces. Only used with ASCII separators below 0x40,
// which never occur inside a GBK two-byte character.
std::vector<std::string> Split(std::string_view text, char sep);
std::string Trim(std::string_view text);
std::string Join(const std::vector<std::string>& pieces, std::string_view sep);
// Replaces every occurrence of `from` by `to`.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);
// Text for HTML element content and attribute values.
std::string HtmlEscape(std::string_view text);
// Query-string form of a text: unreserved ASCII stays, every other byte becomes %XX.
std::string PercentEncode(std::string_view text);

}  // namespace site
