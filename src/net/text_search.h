#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Searches in GBK texts. Positions are 0-based byte offsets and npos means "not found"
// (the 1-based positions and -1 of the system's own notation map onto these directly).
// A match counts only where it begins on a character boundary: a byte of 0x80 or above starts
// a two-byte character, and nothing matches from the second byte of such a character.
namespace net {

inline constexpr std::size_t npos = std::string_view::npos;

// True when the byte starts a two-byte character.
inline bool IsLeadByte(unsigned char byte) { return byte >= 0x80; }

// First occurrence of `needle` at or after `from`, at a character boundary of `text`.
// The boundaries are counted from the start of `text`, so `from` may be any offset.
// An empty needle matches at the first boundary at or after `from`.
std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from = 0);

// As FindText, with the ASCII letters A-Z and a-z taken as equal; other bytes compare exactly.
std::size_t FindTextIgnoreCase(std::string_view text, std::string_view needle,
                               std::size_t from = 0);

// The text with ASCII capitals turned into small letters; bytes of two-byte characters stay.
std::string AsciiLower(std::string_view text);

// The text with ASCII small letters turned into capitals; bytes of two-byte characters stay.
std::string AsciiUpper(std::string_view text);

}  // namespace net
