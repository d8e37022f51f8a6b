#include "platform/gbk_names.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/scratch_dir.h"

namespace {

using platform::GbkToUtf8;
using platform::Utf8ToGbk;
using platform_test::Utf8;

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// Narrow literals are GBK at run time, u8 literals UTF-8: each pair is the same text.
TEST(GbkNames, ConvertsBothWaysLosslessly) {
    const struct {
        std::string gbk, utf8;
    } cases[] = {
        {"", ""},
        {"tmp.ini", "tmp.ini"},
        {"北京", Utf8(u8"北京")},
        {"data/广东省/广州", Utf8(u8"data/广东省/广州")},
        {"丄乤乚", Utf8(u8"丄乤乚")},  // trail bytes 'A', 'a', ']'
        {"\x80", Utf8(u8"€")},         // the one single-byte character above ASCII
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8) << c.utf8;
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk) << c.utf8;
    }
}

TEST(GbkNames, DecodingReplacesOnlyTheBadByte) {
    const struct {
        std::string gbk, utf8;
    } cases[] = {
        {"\xFF", kReplacement},
        {"a\xFF"
         "b",
         "a" + kReplacement + "b"},
        {"\x81", kReplacement},  // lead byte cut off at the end
        {"\x81\x7F"
         "x",
         kReplacement + "\x7F"
                        "x"},  // 0x7F is no trail byte: kept as ASCII
        {"北\xFF京", Utf8(u8"北") + kReplacement + Utf8(u8"京")},
    };
    for (const auto& c : cases) EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
}

TEST(GbkNames, EncodingMarksWhatGbkCannotHold) {
    const struct {
        std::string utf8, gbk;
    } cases[] = {
        {Utf8(u8"a😀b"), "a?b"},  // outside GBK: one '?' per character
        {Utf8(u8"北😀😀京"), "北??京"},
        {"a\xC3(", "a?("},        // truncated sequence
        {"\xC0\xAF", "??"},       // overlong '/', never a separator
        {"\xED\xA0\x80", "???"},  // encoded surrogate
        {"x\xFF", "x?"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk);
}

}  // namespace
