#include <cstddef>
#include <cstdint>
#include <string>

#include "net/text_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const auto& [start, end] : {std::pair{"<script", "</script>"},
                                     std::pair{"<a class=\"ad\"", "</a>"}, std::pair{"<", ""}}) {
        const std::string cleaned = net::RemoveBlocks(text, start, end);
        if (cleaned.size() > text.size()) __builtin_trap();
    }
    return 0;
}
