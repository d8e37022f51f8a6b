#pragma once

#include <functional>
#include <string>

// The update time of the catalogue and its text form in the settings file.
namespace catalogue {

// A calendar date (proleptic Gregorian) with a time of day to the second, local time.
struct DateTime {
    int year = 100;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// 1 January of year 100, 00:00:00: what a missing or unreadable time reads as.
inline constexpr DateTime kEarliestDateTime{};

// Year 100 to 9999, a real calendar day, 0-23 h, 0-59 min, 0-59 s.
bool IsValidDateTime(const DateTime& value);

// "2010年10月8日12时30分45秒"; the time part shortened as far as its trailing parts are 0
// ("2010年10月8日12时30分", "2010年10月8日12时", "2010年10月8日").
std::string FormatDateTime(const DateTime& value);

// Reads every form FormatDateTime writes (missing time parts count as 0; blanks around the
// text are ignored). Anything else, or an impossible date or time, gives kEarliestDateTime.
DateTime ParseDateTime(const std::string& text);

// later - earlier in days, with the time of day as the fraction.
double DaysBetween(const DateTime& earlier, const DateTime& later);

// Where the program reads the current time; tests hand in their own.
using Clock = std::function<DateTime()>;

// The current local time of this machine.
DateTime CurrentLocalTime();

}  // namespace catalogue
