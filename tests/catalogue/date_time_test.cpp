#include "catalogue/date_time.h"

#include <gtest/gtest.h>

namespace {

using catalogue::DateTime;

TEST(DateTime, FormatShortensTrailingZeroParts) {
    struct Case {
        DateTime value;
        std::string expected;
    };
    const Case cases[] = {
        {{2010, 10, 8, 12, 30, 45}, "2010年10月8日12时30分45秒"},
        {{2010, 10, 8, 12, 30, 0}, "2010年10月8日12时30分"},
        {{2010, 10, 8, 12, 0, 0}, "2010年10月8日12时"},
        {{2010, 10, 8, 0, 0, 0}, "2010年10月8日"},
        {{2011, 1, 1, 0, 0, 5}, "2011年1月1日0时0分5秒"},
        {{2011, 1, 1, 0, 7, 0}, "2011年1月1日0时7分"},
        {{2026, 12, 11, 9, 0, 3}, "2026年12月11日9时0分3秒"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(catalogue::FormatDateTime(c.value), c.expected);
        EXPECT_EQ(catalogue::ParseDateTime(c.expected), c.value) << c.expected;
    }
}

TEST(DateTime, ParseGivesEarliestForWhatItCannotRead) {
    const std::string unreadable[] = {
        "",
        "no digits here",
        "2011年",
        "2011年2月30日",         // no such day
        "2011年13月1日",
        "99年1月1日",            // before the earliest year
        "2011年1月1日25时",
        "2011年1月1日12时60分",
        "2011年1月1日xyz",
        "2011年1月1日12分",      // minutes without the hour
        "2011-01-01",
        "99999999999999年1月1日",
    };
    for (const std::string& text : unreadable) {
        EXPECT_EQ(catalogue::ParseDateTime(text), catalogue::kEarliestDateTime) << text;
    }
    EXPECT_EQ(catalogue::kEarliestDateTime, (DateTime{100, 1, 1, 0, 0, 0}));
}

TEST(DateTime, ParseReadsMidnightAndLeapDays) {
    EXPECT_EQ(catalogue::ParseDateTime("2011年1月1日"), (DateTime{2011, 1, 1, 0, 0, 0}));
    EXPECT_EQ(catalogue::ParseDateTime(" 2012年2月29日 "), (DateTime{2012, 2, 29, 0, 0, 0}));
    EXPECT_EQ(catalogue::ParseDateTime("2000年02月29日08时"), (DateTime{2000, 2, 29, 8, 0, 0}));
    EXPECT_EQ(catalogue::ParseDateTime("1900年2月29日"), catalogue::kEarliestDateTime);
}

TEST(DateTime, DaysBetweenCountsFractionalDays) {
    EXPECT_DOUBLE_EQ(catalogue::DaysBetween({2010, 10, 8}, {2010, 10, 9}), 1.0);
    EXPECT_DOUBLE_EQ(catalogue::DaysBetween({2010, 10, 8, 0, 0, 0}, {2010, 10, 8, 12, 0, 0}), 0.5);
    EXPECT_DOUBLE_EQ(catalogue::DaysBetween({2012, 2, 28}, {2012, 3, 1}), 2.0);
    EXPECT_DOUBLE_EQ(catalogue::DaysBetween({2011, 1, 2}, {2011, 1, 1}), -1.0);
    // From the earliest value to a real date: a very large age, which reads as "old data".
    EXPECT_GT(catalogue::DaysBetween(catalogue::kEarliestDateTime, {2026, 12, 11}), 700000.0);
}

}  // namespace
