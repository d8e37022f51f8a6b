#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue/date_time.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const catalogue::DateTime value = catalogue::ParseDateTime(text);
    // Whatever is read is a valid time, and its text form reads back as the same time.
    if (!catalogue::IsValidDateTime(value)) __builtin_trap();
    if (!(catalogue::ParseDateTime(catalogue::FormatDateTime(value)) == value)) __builtin_trap();
    return 0;
}
