#include "net/text_helpers.h"

#include <string_view>

#include "net/text_pieces.h"
#include "net/text_search.h"

namespace net {

std::string CutBetween(const std::string& text, const std::string& start, const std::string& end,
                       bool keep_start) {
    const std::size_t start_pos = FindText(text, start);
    if (start_pos == npos) return {};
    // The end marker is looked for from the start marker's first byte, not after it.
    const std::size_t end_pos = FindText(text, end, start_pos);
    if (end_pos == npos) return {};
    const std::size_t from = keep_start ? start_pos : start_pos + start.size();
    if (end_pos <= from) return {};
    return text.substr(from, end_pos - from);
}

namespace {

// Deletes every occurrence of `block` (at character boundaries) in one pass.
std::string DeleteAll(const std::string& text, std::string_view block) {
    std::string out;
    out.reserve(text.size());
    std::size_t copied = 0;
    for (std::size_t pos = FindText(text, block); pos != npos;
         pos = FindText(text, block, pos + block.size())) {
        out.append(text, copied, pos - copied);
        copied = pos + block.size();
    }
    out.append(text, copied, npos);
    return out;
}

}  // namespace

std::string RemoveBlocks(const std::string& text, const std::string& start, const std::string& end) {
    if (start.empty()) return text;  // an empty marker would match everywhere and never shrink
    std::string result = text;
    for (;;) {
        const std::size_t start_pos = FindText(result, start);
        if (start_pos == npos) return result;
        const std::size_t end_pos = FindText(result, end, start_pos);
        if (end_pos == npos) {
            result.erase(start_pos);
            return result;
        }
        std::size_t block_end = end_pos + end.size();
        // An empty end marker would make an empty block that never shrinks the text.
        if (block_end == start_pos) block_end = start_pos + start.size();
        // Every copy of the block goes, not only the one found; then search afresh.
        const std::string block = result.substr(start_pos, block_end - start_pos);
        result = DeleteAll(result, block);
    }
}

std::string ConvertByteList(const std::string& text, bool force_decode) {
    if (!force_decode && text.find(';') == std::string::npos) {
        std::string encoded = "{";
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (i > 0) encoded += ';';
            encoded += std::to_string(static_cast<unsigned char>(text[i]));
        }
        encoded += '}';
        return encoded;
    }
    std::string digits;
    digits.reserve(text.size());
    for (char c : text) {
        if (c != '{' && c != '}') digits += c;
    }
    std::string decoded;
    for (const std::string& piece : SplitText(digits, ";")) {
        const auto byte = static_cast<unsigned char>(ReadWholeNumber(piece) & 0xFF);
        if (byte != 0) decoded += static_cast<char>(byte);
    }
    return decoded;
}

}  // namespace net
