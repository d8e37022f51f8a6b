#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Splitting, trimming and number reading of GBK texts.
namespace net {

// Splits at each separator (matched at character boundaries). Empty pieces between two
// separators and before the first one are kept; an empty piece after a final separator is
// dropped; the empty text gives no pieces. An empty separator gives the text as one piece.
std::vector<std::string> SplitText(const std::string& text, const std::string& separator);

// Removes ASCII blanks and full-width blanks (GBK A1 A1) from both ends.
std::string TrimBlanks(const std::string& text);

// Turns full-width ASCII forms (GBK A3 A1 .. A3 FE, e.g. full-width digits and signs) and the
// full-width blank into their ASCII forms; everything else stays.
std::string FullWidthToAscii(const std::string& text);

// Reads a whole number: full-width forms first become ASCII, leading blanks are skipped, then
// an optional sign and the decimal digits up to the first other character. No digit gives 0.
// Values beyond the 64-bit range are held at the nearest end of that range.
std::int64_t ReadWholeNumber(const std::string& text);

// The longest start of the text that fits in `max_bytes` bytes without cutting a character in
// two (a fixed-size text field would otherwise end in half a GBK character).
std::string CutToWholeCharacters(const std::string& text, std::size_t max_bytes);

}  // namespace net
