#include "catalogue/city_line_index.h"

#include <gtest/gtest.h>

#include "net/text_search.h"
#include "support/temp_dir.h"

namespace {

// The search the index stands in for: from the top of the lines for each city, the first
// line holding cnct="NAME".
const std::string* FirstLineByRewind(const std::vector<std::string>& lines,
                                     const std::string& name) {
    const std::string key = "cnct=\"" + name + "\"";
    for (const std::string& line : lines) {
        if (net::FindText(line, key) != net::npos) return &line;
    }
    return nullptr;
}

TEST(CityLineIndex, FindsTheSameLineAsASearchFromTheTopForEachCity) {
    const std::vector<std::string> lines = {
        "// 城市公交数据 1/3",
        "ci(cid=1,city=\"a\",cnct=\"AB\",domain=\".d\",);",   // AB, not A
        "ci(cid=2,city=\"b\",cnct=\"A\",domain=\".d\",);",
        "ci(cid=3,city=\"c\",cnct=\"A\",domain=\"second\",);",  // same key: the first wins
        "x cnct=\"甲\" y cnct=\"乙\"",                         // two keys in one line
        "cnct=\"Q\"uote\" cnct=\"Q\"",                          // a name holding a quote
        "\x81" "cnct=\"Hidden\"",  // 0x81 0x63 is one character: no key starts inside it
        "cnct=\"Open",             // never closed
        "cnct=\"\"",               // the empty name
        "cnct=\"乗\"",              // its second byte is a backslash
    };
    const catalogue::CityLineIndex index(lines);
    for (const std::string name :
         {"A", "AB", "B", "甲", "乙", "Q\"uote", "Q", "Q\"", "Hidden", "Open", "", "乗", "x"}) {
        const std::string* expected = FirstLineByRewind(lines, name);
        const std::string* found = index.FirstLineWith(name);
        ASSERT_EQ(found == nullptr, expected == nullptr) << name;
        if (found != nullptr) {
            EXPECT_EQ(*found, *expected) << name;
        }
    }
    EXPECT_EQ(*index.FirstLineWith("A"), lines[2]);
    EXPECT_EQ(index.FirstLineWith("Hidden"), nullptr);
}

TEST(CityLineIndex, ReadsLinesOfAFileAndNothingOfAMissingOne) {
    testsupport::TempDir dir;
    dir.Write("tmp.dat", "cnct=\"A\",one\r\ncnct=\"B\",two\n\r\ncnct=\"C\",three");
    const auto index = catalogue::CityLineIndex::FromFile(dir.gbk() + "/tmp.dat");
    ASSERT_NE(index.FirstLineWith("A"), nullptr);
    EXPECT_EQ(*index.FirstLineWith("A"), "cnct=\"A\",one");  // CR LF is not part of the line
    EXPECT_EQ(*index.FirstLineWith("C"), "cnct=\"C\",three");  // last line without LF
    EXPECT_EQ(catalogue::CityLineIndex::FromFile(dir.gbk() + "/missing").FirstLineWith("A"),
              nullptr);
}

}  // namespace
