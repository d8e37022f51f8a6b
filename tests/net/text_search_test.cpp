#include "net/text_search.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FindCase {
    const char* name;
    std::string text;
    std::string needle;
    std::size_t from;
    std::size_t expected;
};

class TextSearchFind : public ::testing::TestWithParam<FindCase> {};

TEST_P(TextSearchFind, MatchesOnlyAtCharacterBoundaries) {
    const FindCase& c = GetParam();
    EXPECT_EQ(net::FindText(c.text, c.needle, c.from), c.expected);
}

// "\xB1\x61" is one two-byte character whose trail byte is the letter 'a'.
INSTANTIATE_TEST_SUITE_P(
    Cases, TextSearchFind,
    ::testing::Values(
        FindCase{"plain", "hello world", "world", 0, 6},
        FindCase{"absent", "hello", "x", 0, net::npos},
        FindCase{"from_after_match", "abab", "ab", 1, 2},
        FindCase{"trail_byte_not_a_match", "\xB1" "abc", "abc", 0, net::npos},
        FindCase{"match_after_trail_byte", "\xB1" "abcabc", "abc", 0, 4},
        FindCase{"chinese_needle", "x北京y", "京", 0, 3},
        FindCase{"needle_across_characters", "\xB1\xB1\xB1\xB1", "\xB1\xB1", 1, 2},
        FindCase{"long_ascii_run_then_match", std::string(40, 'a') + "\xB1" "b" + "b", "b", 0, 42},
        FindCase{"from_inside_character", "\xB1" "ab", "a", 1, net::npos},
        FindCase{"lead_byte_at_end", "ab\xB1", "\xB1", 0, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextSearch, IgnoreCaseFoldsOnlyAsciiLetters) {
    EXPECT_EQ(net::FindTextIgnoreCase("Accept: x\r\nREFERER: y", "referer: "), 11u);
    // The trail byte 'A' of a two-byte character is not the letter 'a'.
    EXPECT_EQ(net::FindTextIgnoreCase("\xB1" "Ab", "ab"), net::npos);
    EXPECT_EQ(net::AsciiLower("HOST\xB1" "A"), "host\xB1" "A");
    EXPECT_EQ(net::AsciiUpper("post\xB1" "a"), "POST\xB1" "a");
}

}  // namespace
