#pragma once

#include <string>

// The text tools that read web pages by plain search. Matches start only at GBK character
// boundaries (see text_search.h).
namespace net {

// The text between the first `start` marker and the first `end` marker found from where that
// start marker begins. With `keep_start` the start marker leads the result. Empty when either
// marker is missing or nothing lies between them.
std::string CutBetween(const std::string& text, const std::string& start, const std::string& end,
                       bool keep_start = false);

// Removes every block that runs from a `start` marker through the next `end` marker: each
// block found is deleted wherever its exact text occurs, then the search begins again.
// A last start marker with no end marker after it is removed together with the rest of the
// text, so a page cut short never shows half a script.
std::string RemoveBlocks(const std::string& text, const std::string& start, const std::string& end);

// Converts between a text and its byte-list notation "{b1;b2;...}". Decodes when
// `force_decode` is set or the text holds a ';', encodes otherwise.
std::string ConvertByteList(const std::string& text, bool force_decode = false);

}  // namespace net
