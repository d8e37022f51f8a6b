#pragma once

#include <optional>
#include <string>

namespace site {

// The data files are UTF-8; every text the server keeps and sends is GBK. Empty when a
// character has no GBK form or the input is not UTF-8, so a bad data file is refused at load
// rather than served as mojibake.
std::optional<std::string> Utf8ToGbk(const std::string& utf8);

// True when every byte sequence is a valid GBK character (ASCII or a lead byte 0x81-0xFE with
// a trail byte 0x40-0xFE other than 0x7F).
bool IsValidGbk(const std::string& text);

}  // namespace site
