#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue/city_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const catalogue::CityRecord record = catalogue::ParseCityLine(line);
    for (const std::string* field : {&record.cid, &record.city, &record.cnct, &record.domain,
                                     &record.ty_stat, &record.ty_line}) {
        if (field->size() > line.size()) __builtin_trap();
    }
    return 0;
}
