#include "catalogue/date_time.h"

#include <ctime>
#include <string_view>

namespace catalogue {
namespace {

// GBK bytes of the unit characters, written as escapes so the file reads the same under any
// execution character set (the fuzz build uses one that is not GBK).
constexpr std::string_view kYear = "\xC4\xEA";    // 年
constexpr std::string_view kMonth = "\xD4\xC2";   // 月
constexpr std::string_view kDay = "\xC8\xD5";     // 日
constexpr std::string_view kHour = "\xCA\xB1";    // 时
constexpr std::string_view kMinute = "\xB7\xD6";  // 分
constexpr std::string_view kSecond = "\xC3\xEB";  // 秒

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(int year, int month, int day) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int year_of_era = y - era * 400;
    const int day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return static_cast<long long>(era) * 146097 + day_of_era - 719468;
}

// Reads "digits unit" at `pos`; false (and `pos` untouched) when the text does not go on so.
bool ReadPart(std::string_view text, std::size_t& pos, std::string_view unit, int& value) {
    std::size_t i = pos;
    long long number = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (number > 99999) return false;  // no part of a valid time has that many digits
        number = number * 10 + (text[i] - '0');
        ++i;
    }
    if (i == pos || text.substr(i, unit.size()) != unit) return false;
    value = static_cast<int>(number);
    pos = i + unit.size();
    return true;
}

std::string_view TrimAsciiBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

bool IsValidDateTime(const DateTime& v) {
    return v.year >= 100 && v.year <= 9999 && v.month >= 1 && v.month <= 12 && v.day >= 1 &&
           v.day <= DaysInMonth(v.year, v.month) && v.hour >= 0 && v.hour <= 23 &&
           v.minute >= 0 && v.minute <= 59 && v.second >= 0 && v.second <= 59;
}

std::string FormatDateTime(const DateTime& v) {
    std::string text = std::to_string(v.year) + std::string(kYear) + std::to_string(v.month) +
                       std::string(kMonth) + std::to_string(v.day) + std::string(kDay);
    const std::string hour = std::to_string(v.hour) + std::string(kHour);
    const std::string minute = std::to_string(v.minute) + std::string(kMinute);
    if (v.second != 0) {
        text += hour + minute + std::to_string(v.second) + std::string(kSecond);
    } else if (v.minute != 0) {
        text += hour + minute;
    } else if (v.hour != 0) {
        text += hour;
    }
    return text;
}

DateTime ParseDateTime(const std::string& raw) {
    const std::string_view text = TrimAsciiBlanks(raw);
    DateTime v;
    std::size_t pos = 0;
    if (!ReadPart(text, pos, kYear, v.year) || !ReadPart(text, pos, kMonth, v.month) ||
        !ReadPart(text, pos, kDay, v.day)) {
        return kEarliestDateTime;
    }
    v.hour = v.minute = v.second = 0;
    // The time parts come in order and each may end the text.
    if (pos < text.size() && ReadPart(text, pos, kHour, v.hour) && pos < text.size() &&
        ReadPart(text, pos, kMinute, v.minute) && pos < text.size()) {
        ReadPart(text, pos, kSecond, v.second);
    }
    if (pos != text.size() || !IsValidDateTime(v)) return kEarliestDateTime;
    return v;
}

double DaysBetween(const DateTime& earlier, const DateTime& later) {
    auto seconds_of = [](const DateTime& v) {
        return DaysFromCivil(v.year, v.month, v.day) * 86400LL + v.hour * 3600LL +
               v.minute * 60LL + v.second;
    };
    return static_cast<double>(seconds_of(later) - seconds_of(earlier)) / 86400.0;
}

DateTime CurrentLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                    local.tm_hour,        local.tm_min,     local.tm_sec > 59 ? 59 : local.tm_sec};  // no leap second
}

}  // namespace catalogue
