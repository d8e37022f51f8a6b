#include "gbk_text.h"

#include <iconv.h>

#include <cerrno>

namespace site {

std::optional<std::string> Utf8ToGbk(const std::string& utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(utf8.size() + 16, '\0');
    char* in_ptr = const_cast<char*>(utf8.data());
    size_t in_left = utf8.size();
    char* out_ptr = out.data();
    size_t out_left = out.size();
    bool ok = true;
    while (in_left > 0) {
        if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) {  // GBK never needs more bytes than UTF-8, but stay safe
            size_t used = out.size() - out_left;
            out.resize(out.size() * 2);
            out_ptr = out.data() + used;
            out_left = out.size() - used;
            continue;
        }
        ok = false;
        break;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(out.size() - out_left);
    return out;
}

bool IsValidGbk(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) continue;
        if (lead == 0x80 || lead == 0xFF || i + 1 >= text.size()) return false;
        auto trail = static_cast<unsigned char>(text[++i]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return false;
    }
    return true;
}

}  // namespace site
