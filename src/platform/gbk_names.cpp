#include "platform/gbk_names.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

namespace platform {
namespace {

constexpr const char kGbk[] = "GBK";
constexpr const char kUtf8[] = "UTF-8";
constexpr const char kReplacementUtf8[] = "\xEF\xBF\xBD";  // U+FFFD

// One descriptor per call keeps the conversion free of shared state between threads.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (usable()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts from `in` onwards, appending to `out`, until the input ends or a sequence
    // cannot be converted. Returns false when it stopped at such a sequence; `in` and `left`
    // then point at it.
    bool Run(const char*& in, std::size_t& left, std::string& out) {
        char buffer[1024];
        while (left > 0) {
            char* next = buffer;
            std::size_t room = sizeof buffer;
            char* source = const_cast<char*>(in);
            const std::size_t result = iconv(cd_, &source, &left, &next, &room);
            in = source;
            out.append(buffer, static_cast<std::size_t>(next - buffer));
            if (result != static_cast<std::size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
            return false;
        }
        return true;
    }

  private:
    iconv_t cd_;
};

// Length of the well-formed UTF-8 sequence at `p` (at most `left` bytes), 0 when it is not
// one: no overlong forms, no surrogates, nothing past U+10FFFF.
std::size_t Utf8SequenceLength(const unsigned char* p, std::size_t left) {
    const unsigned char lead = p[0];
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (left < length || p[1] < low || p[1] > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF) return 0;
    }
    return length;
}

}  // namespace

std::string GbkToUtf8(const std::string& gbk) {
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    Converter converter(kUtf8, kGbk);
    const char* in = gbk.data();
    std::size_t left = gbk.size();
    if (!converter.usable()) {
        // Without the code set only ASCII is certain; everything else is unknown.
        for (const unsigned char c : gbk) {
            if (c < 0x80)
                out += static_cast<char>(c);
            else
                out += kReplacementUtf8;
        }
        return out;
    }
    while (!converter.Run(in, left, out)) {
        // Skip only the offending byte, so an ASCII byte after a bad lead byte survives.
        out += kReplacementUtf8;
        ++in;
        --left;
    }
    return out;
}

std::string Utf8ToGbk(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    Converter converter(kGbk, kUtf8);
    const char* in = utf8.data();
    std::size_t left = utf8.size();
    while (left > 0) {
        if (converter.usable() && converter.Run(in, left, out)) break;
        // One '?' per character GBK cannot hold, one per byte that is not UTF-8.
        const auto* p = reinterpret_cast<const unsigned char*>(in);
        const std::size_t length = Utf8SequenceLength(p, left);
        if (length == 1 && !converter.usable()) {
            out += *in;
        } else {
            out += '?';
        }
        const std::size_t skip = length == 0 ? 1 : length;
        in += skip;
        left -= skip;
    }
    return out;
}

}  // namespace platform
