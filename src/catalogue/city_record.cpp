#include "catalogue/city_record.h"

#include "net/text_helpers.h"
#include "platform/files.h"

namespace catalogue {

CityRecord ParseCityLine(const std::string& line) {
    return CityRecord{
        net::CutBetween(line, "cid=", ","),
        net::CutBetween(line, "city=\"", "\","),
        net::CutBetween(line, "cnct=\"", "\","),
        net::CutBetween(line, "domain=\"", "\","),
        net::CutBetween(line, "ty_stat=\"", "\","),
        net::CutBetween(line, "ty_line=\"", "\","),
    };
}

CityRecord CurrentCity::Snapshot() const {
    std::lock_guard lock(mutex_);
    return record_;
}

void CurrentCity::Replace(CityRecord record) {
    std::lock_guard lock(mutex_);
    record_ = std::move(record);
}

void LoadCityRecord(const std::string& path, CurrentCity& current) {
    std::string text = platform::ReadWholeFile(path).value_or(std::string());
    if (const std::size_t zero = text.find('\0'); zero != std::string::npos) text.resize(zero);
    current.Replace(ParseCityLine(text));
}

}  // namespace catalogue
