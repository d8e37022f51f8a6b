#include <cstddef>
#include <cstdint>
#include <string>

#include "net/text_helpers.h"

// Input: marker lengths in the first two bytes, then start marker, end marker and text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const std::string input(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::size_t start_len = data[0] % 16, end_len = data[1] % 16;
    if (start_len + end_len > input.size()) return 0;
    const std::string start = input.substr(0, start_len);
    const std::string end = input.substr(start_len, end_len);
    const std::string text = input.substr(start_len + end_len);
    for (bool keep : {false, true}) {
        const std::string cut = net::CutBetween(text, start, end, keep);
        if (cut.size() > text.size()) __builtin_trap();
        if (!cut.empty() && text.find(cut) == std::string::npos) __builtin_trap();
    }
    return 0;
}
