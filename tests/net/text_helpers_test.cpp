#include "net/text_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CutCase {
    const char* name;
    std::string text;
    std::string start;
    std::string end;
    std::string expected;       // start marker left out
    std::string expected_kept;  // start marker kept
};

class TextHelpersCutBetween : public ::testing::TestWithParam<CutCase> {};

TEST_P(TextHelpersCutBetween, GivesTheTextBetweenTheMarkers) {
    const CutCase& c = GetParam();
    EXPECT_EQ(net::CutBetween(c.text, c.start, c.end), c.expected);
    EXPECT_EQ(net::CutBetween(c.text, c.start, c.end, true), c.expected_kept);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextHelpersCutBetween,
    ::testing::Values(
        CutCase{"both_present", "a<b>mid</b>z", "<b>", "</b>", "mid", "<b>mid"},
        CutCase{"start_absent", "a mid</b>z", "<b>", "</b>", "", ""},
        CutCase{"end_absent", "a<b>mid", "<b>", "</b>", "", ""},
        CutCase{"end_only_before_start", "</b>x<b>mid", "<b>", "</b>", "", ""},
        CutCase{"first_start_first_end", "<b>1</b><b>2</b>", "<b>", "</b>", "1", "<b>1"},
        CutCase{"empty_text", "", "<b>", "</b>", "", ""},
        CutCase{"adjacent_markers", "<b></b>", "<b>", "</b>", "", "<b>"},
        // The end marker is searched from the start marker's first byte: here it begins
        // inside the start marker, which leaves nothing in the default mode.
        CutCase{"end_inside_start", "<ul id=x>rest", "<ul id=", "id", "", "<ul "},
        CutCase{"gbk_trail_byte_is_no_marker", "\xB1" "<x>|<x>v|", "<x>", "|", "v", "<x>v"},
        CutCase{"trail_byte_start_skipped", "\xB1[a[b]", "[", "]", "b", "[b"},
        CutCase{"chinese_markers", "前开始内容结束后", "开始", "结束", "内容", "开始内容"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RemoveCase {
    const char* name;
    std::string text;
    std::string start;
    std::string end;
    std::string expected;
};

class TextHelpersRemoveBlocks : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(TextHelpersRemoveBlocks, RemovesEveryBlock) {
    const RemoveCase& c = GetParam();
    EXPECT_EQ(net::RemoveBlocks(c.text, c.start, c.end), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextHelpersRemoveBlocks,
    ::testing::Values(
        RemoveCase{"no_start_marker", "plain <b>text</b>", "<script", "</script>",
                   "plain <b>text</b>"},
        RemoveCase{"three_blocks_two_identical",
                   "a<script>x()</script>b<script src=1></script>c<script>x()</script>d",
                   "<script", "</script>", "abcd"},
        RemoveCase{"upper_case_block_stays", "a<SCRIPT>x</SCRIPT>b<script>y</script>c",
                   "<script", "</script>", "a<SCRIPT>x</SCRIPT>bc"},
        RemoveCase{"unterminated_last_block_cut_to_end", "a<script>b</script>c<script>unclosed",
                   "<script", "</script>", "ac"},
        RemoveCase{"ad_links", "<li><a href=/x>1</a><a class=\"ad\" href=/y>ad</a></li>",
                   "<a class=\"ad\"", "</a>", "<li><a href=/x>1</a></li>"},
        RemoveCase{"marker_as_trail_byte_stays", "\xB1<s>x</s>", "<s>", "</s>", "\xB1<s>x</s>"},
        RemoveCase{"block_text_inside_trail_stays", "<s>x</s>\xB1<s>x</s>", "<s>", "</s>",
                   "\xB1<s>x</s>"},
        RemoveCase{"empty_end_marker_ends", "a<sb<s", "<s", "", "ab"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ByteListCase {
    const char* name;
    std::string text;
    bool force;
    std::string expected;
};

class TextHelpersConvertByteList : public ::testing::TestWithParam<ByteListCase> {};

TEST_P(TextHelpersConvertByteList, ConvertsInTheRightDirection) {
    const ByteListCase& c = GetParam();
    EXPECT_EQ(net::ConvertByteList(c.text, c.force), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextHelpersConvertByteList,
    ::testing::Values(ByteListCase{"encode_abc", "abc", false, "{97;98;99}"},
                      ByteListCase{"decode_hi", "{104;105}", false, "hi"},
                      ByteListCase{"single_value_encodes", "{65}", false, "{123;54;53;125}"},
                      ByteListCase{"single_value_forced", "{65}", true, "A"},
                      ByteListCase{"encode_empty", "", false, "{}"},
                      ByteListCase{"decode_empty_forced", "{}", true, ""},
                      ByteListCase{"encode_chinese", "北", false, "{177;177}"},
                      ByteListCase{"zero_value_skipped", "{104;0;105}", false, "hi"},
                      ByteListCase{"only_low_eight_bits", "{360;361}", false, "hi"},
                      ByteListCase{"junk_piece_reads_zero", "{104;x;105;}", false, "hi"},
                      ByteListCase{"negative_value", "{-152;105}", false, "hi"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextHelpers, ByteListRoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b != ';') all += static_cast<char>(b);  // a ';' would select decoding
    }
    EXPECT_EQ(net::ConvertByteList(net::ConvertByteList(all), true), all);
}

}  // namespace
