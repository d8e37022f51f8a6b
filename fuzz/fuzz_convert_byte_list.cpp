#include <cstddef>
#include <cstdint>
#include <string>

#include "net/text_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    net::ConvertByteList(text, false);
    net::ConvertByteList(text, true);
    // Encoding then decoding gives the text back, less its zero bytes, whenever it was encoded.
    if (text.find(';') == std::string::npos) {
        std::string expected;
        for (char c : text) {
            if (c != '\0') expected += c;
        }
        if (net::ConvertByteList(net::ConvertByteList(text), true) != expected) __builtin_trap();
    }
    return 0;
}
