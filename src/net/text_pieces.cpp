#include "net/text_pieces.h"

#include <limits>

#include "net/text_search.h"

namespace net {
namespace {

// GBK bytes of the full-width blank and of the block of full-width ASCII forms. Written as
// byte values so that this file means the same under any execution character set.
constexpr unsigned char kFullWidthLead = 0xA1;
constexpr unsigned char kFullWidthBlankTrail = 0xA1;
constexpr unsigned char kFullWidthFormsLead = 0xA3;
constexpr unsigned char kFullWidthFormsFirstTrail = 0xA1;  // full-width '!'
constexpr unsigned char kFullWidthFormsLastTrail = 0xFE;   // full-width '~'

bool IsFullWidthBlankAt(const std::string& text, std::size_t pos) {
    return pos + 1 < text.size() && static_cast<unsigned char>(text[pos]) == kFullWidthLead &&
           static_cast<unsigned char>(text[pos + 1]) == kFullWidthBlankTrail;
}

// Where each character of the text starts, so the end can be trimmed without walking backwards
// through bytes that may be trail bytes.
std::vector<std::size_t> CharacterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size();) {
        starts.push_back(i);
        i += (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
    return starts;
}

}  // namespace

std::vector<std::string> SplitText(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    if (text.empty()) return pieces;
    if (separator.empty()) return {text};
    std::size_t piece_start = 0;
    for (std::size_t pos = FindText(text, separator); pos != npos;
         pos = FindText(text, separator, pos + separator.size())) {
        pieces.push_back(text.substr(piece_start, pos - piece_start));
        piece_start = pos + separator.size();
    }
    if (piece_start < text.size()) pieces.push_back(text.substr(piece_start));
    return pieces;
}

std::string TrimBlanks(const std::string& text) {
    const std::vector<std::size_t> starts = CharacterStarts(text);
    std::size_t first = 0;
    std::size_t last = starts.size();  // one past the last character kept
    auto is_blank = [&](std::size_t index) {
        const std::size_t pos = starts[index];
        const std::size_t len = (index + 1 < starts.size() ? starts[index + 1] : text.size()) - pos;
        return (len == 1 && text[pos] == ' ') || (len == 2 && IsFullWidthBlankAt(text, pos));
    };
    while (first < last && is_blank(first)) ++first;
    while (last > first && is_blank(last - 1)) --last;
    if (first == last) return {};
    const std::size_t from = starts[first];
    const std::size_t to = last < starts.size() ? starts[last] : text.size();
    return text.substr(from, to - from);
}

std::string FullWidthToAscii(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!IsLeadByte(byte) || i + 1 >= text.size()) {
            out += text[i++];
            continue;
        }
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (byte == kFullWidthFormsLead && trail >= kFullWidthFormsFirstTrail &&
            trail <= kFullWidthFormsLastTrail) {
            out += static_cast<char>('!' + (trail - kFullWidthFormsFirstTrail));
        } else if (byte == kFullWidthLead && trail == kFullWidthBlankTrail) {
            out += ' ';
        } else {
            out.append(text, i, 2);
        }
        i += 2;
    }
    return out;
}

std::int64_t ReadWholeNumber(const std::string& text) {
    const std::string ascii = FullWidthToAscii(text);
    std::size_t i = 0;
    while (i < ascii.size() && (ascii[i] == ' ' || ascii[i] == '\t')) ++i;
    bool negative = false;
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) negative = ascii[i++] == '-';
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t magnitude = 0;
    bool saturated = false;
    for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
        const int digit = ascii[i] - '0';
        if (magnitude > (kMax - digit) / 10) {
            saturated = true;
        } else if (!saturated) {
            magnitude = magnitude * 10 + digit;
        }
    }
    if (saturated) return negative ? std::numeric_limits<std::int64_t>::min() : kMax;
    return negative ? -magnitude : magnitude;
}

std::string CutToWholeCharacters(const std::string& text, std::size_t max_bytes) {
    if (text.size() <= max_bytes) return text;
    std::size_t end = 0;
    while (end < max_bytes) {
        const bool pair = IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size();
        const std::size_t next = end + (pair ? 2 : 1);
        if (next > max_bytes) break;
        end = next;
    }
    return text.substr(0, end);
}

}  // namespace net
