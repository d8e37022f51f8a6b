#include "net/text_search.h"

#include <string.h>  // memmem

namespace net {
namespace {

// Tells whether candidate positions are character boundaries. A byte below 0x80 is never a
// lead byte, so the position after it is always a boundary; from there the run of high bytes
// up to the candidate pairs off into two-byte characters. Candidates come in rising order and
// the last settled boundary moves with them, so a whole search reads each byte at most twice.
class BoundaryCursor {
public:
    explicit BoundaryCursor(std::string_view text)
        : bytes_(reinterpret_cast<const unsigned char*>(text.data())) {}

    // True when `pos` is a character boundary; `pos` must not decrease between calls.
    bool IsBoundary(std::size_t pos) {
        if (pos < settled_) return false;  // inside the character that ended at settled_
        std::size_t run_start = pos;
        while (run_start > settled_ && IsLeadByte(bytes_[run_start - 1])) --run_start;
        const bool boundary = (pos - run_start) % 2 == 0;
        settled_ = boundary ? pos : pos + 1;
        return boundary;
    }

private:
    const unsigned char* bytes_;
    std::size_t settled_ = 0;  // a known boundary at or before the next candidate
};

// Byte-exact search from `from`, npos when absent.
std::size_t FindBytes(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size()) return npos;
    if (needle.empty()) return from;
    const void* hit = memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : npos;
}

}  // namespace

namespace {
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from) {
    BoundaryCursor cursor(text);
    for (std::size_t pos = FindBytes(text, needle, from); pos != npos;
         pos = FindBytes(text, needle, pos + 1)) {
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
