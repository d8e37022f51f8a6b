#include "net/text_pieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::string>;

TEST(TextPieces, SplitKeepsInnerAndLeadingEmptyPieces) {
    struct Case {
        std::string text;
        std::string separator;
        Pieces expected;
    };
    const Case cases[] = {
        {"", ",", {}},
        {"a", ",", {"a"}},
        {"a,b,c", ",", {"a", "b", "c"}},
        {",a,,b", ",", {"", "a", "", "b"}},
        {"a,b,", ",", {"a", "b"}},
        {",", ",", {""}},
        {"a,,", ",", {"a", ""}},
        {"一路,二路", ",", {"一路", "二路"}},
        // "\xB1," is one character whose trail byte is ','; it is no separator.
        {"\xB1,x,y", ",", {"\xB1,x", "y"}},
        {"a<>b", "<>", {"a", "b"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(net::SplitText(c.text, c.separator), c.expected) << "text: " << c.text;
    }
}

TEST(TextPieces, TrimRemovesAsciiAndFullWidthBlanks) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"", ""},
        {"   ", ""},
        {"  a b  ", "a b"},
        {"　站名　", "站名"},
        {" 　 永定门 　", "永定门"},
        {"　", ""},
        // "\xA1\xA1" inside "\xB0\xA1\xA1\xA1": the blank bytes straddle a character.
        {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},
        {"\xA1\xA1\xB0\xA1", "\xB0\xA1"},
        {"x\xA1", "x\xA1"},  // a lone lead byte at the end is kept
        {"\t tab", "\t tab"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(net::TrimBlanks(c.text), c.expected) << "text: " << c.text;
    }
}

TEST(TextPieces, WholeNumberReading) {
    struct Case {
        std::string text;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"30", 30},
        {"  42 seconds", 42},
        {"-7", -7},
        {"+8x", 8},
        {"３０", 30},
        {"－１５", -15},
        {"＋５", 5},
        {"　１２", 12},
        {"1２3", 123},
        {"- 5", 0},
        {"99999999999999999999999", INT64_MAX},
        {"-99999999999999999999999", INT64_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(net::ReadWholeNumber(c.text), c.expected) << "text: " << c.text;
    }
}

TEST(TextPieces, FullWidthFormsBecomeAscii) {
    EXPECT_EQ(net::FullWidthToAscii("ＡＢｃ１！　北"), "ABc1! 北");
}

TEST(TextPieces, CutToWholeCharactersNeverSplitsACharacter) {
    struct Case {
        std::string text;
        std::size_t max_bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"abc", 5, "abc"},
        {"abcdef", 3, "abc"},
        {"a欢迎", 3, "a欢"},  // "欢" whole, no room for "迎"
        {"a欢迎", 4, "a欢"},    // the lead byte of "迎" alone would be half a character
        {"欢迎", 4, "欢迎"},
        {"", 0, ""},
        {"欢", 1, ""},
        {"ab\xB1", 2, "ab"},  // a dangling lead byte at the end counts as one byte
    };
    for (const Case& c : cases) {
        EXPECT_EQ(net::CutToWholeCharacters(c.text, c.max_bytes), c.expected)
            << "text: " << c.text << " max: " << c.max_bytes;
    }
}

}  // namespace
