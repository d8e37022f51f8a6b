#include "net/text_search.h"

#include <cstdint>
#include <cstring>

namespace net {
namespace {

// Walks character boundaries forward. Kept as a cursor so that a whole search scans the text
// once, however many candidate matches it has to check.
class BoundaryCursor {
public:
    explicit BoundaryCursor(std::string_view text) : text_(text) {}

    // True when `pos` is a character boundary; `pos` must not decrease between calls.
    bool IsBoundary(std::size_t pos) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(text_.data());
        const std::size_t n = text_.size();
        while (boundary_ < pos) {
            // Skip plain ASCII eight bytes at a time; pages are mostly markup.
            while (boundary_ + 8 <= pos && boundary_ + 8 <= n) {
                std::uint64_t word;
                std::memcpy(&word, bytes + boundary_, sizeof word);
                if (word & 0x8080808080808080ULL) break;
                boundary_ += 8;
            }
            if (boundary_ >= pos) break;
            boundary_ += (IsLeadByte(bytes[boundary_]) && boundary_ + 1 < n) ? 2 : 1;
        }
        return boundary_ == pos;
    }

private:
    std::string_view text_;
    std::size_t boundary_ = 0;
};

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from) {
    BoundaryCursor cursor(text);
    for (std::size_t pos = text.find(needle, from); pos != npos; pos = text.find(needle, pos + 1)) {
        if (cursor.IsBoundary(pos)) return pos;
    }
    return npos;
}

std::size_t FindTextIgnoreCase(std::string_view text, std::string_view needle, std::size_t from) {
    const std::string lowered_text = AsciiLower(text);
    const std::string lowered_needle = AsciiLower(needle);
    // Lowering keeps every byte at its place, so the boundaries are those of the original.
    return FindText(lowered_text, lowered_needle, from);
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(out[i]))) {
            ++i;  // the trail byte may look like an ASCII letter; it is not one
            continue;
        }
        out[i] = LowerAscii(out[i]);
    }
    return out;
}

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(out[i]))) {
            ++i;
            continue;
        }
        out[i] = UpperAscii(out[i]);
    }
    return out;
}

}  // namespace net
