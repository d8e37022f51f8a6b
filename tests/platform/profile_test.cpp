#include "platform/profile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/scratch_dir.h"

namespace {

using platform::GetPrivateProfileString;
using platform::WritePrivateProfileString;

class Profile : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.created()); }

    std::string ini() const { return dir_.Path("tmp.ini"); }
    void Plant(const std::string& bytes) { ASSERT_TRUE(platform::WriteWholeFile(ini(), bytes)); }
    std::optional<std::string> OnDisk() const { return platform::ReadWholeFile(ini()); }
    std::string Read(const std::string& section, const std::string& key,
                     std::size_t limit = platform::kProfileValueLimit) const {
        return GetPrivateProfileString(section, key, "DEF", ini(), limit);
    }

    platform_test::ScratchDir dir_;
};

struct ReadCase {
    const char* what;
    std::string file, section, key, value;
};

TEST_F(Profile, ReadsAsTheOriginalRoutine) {
    const ReadCase cases[] = {
        {"plain CRLF", "[Config]\r\nUpdate=2011\r\n", "Config", "Update", "2011"},
        {"LF only", "[Config]\nUpdate=2011\n", "Config", "Update", "2011"},
        {"no final break", "[Config]\r\nUpdate=2011", "Config", "Update", "2011"},
        {"names ignore case", "[CONFIG]\r\nUPDATE=x\r\n", "config", "update", "x"},
        {"blanks trimmed", " [ Config ] \r\n \t Update \t=  a b \t\r\n", "Config", "Update", "a b"},
        {"blanks of the asked names", "[Config]\r\nk=v\r\n", " Config ", " k\t", "v"},
        {"double quotes", "[s]\r\nk=\" a \"\r\n", "s", "k", " a "},
        {"single quotes", "[s]\r\nk='a'\r\n", "s", "k", "a"},
        {"only one pair", "[s]\r\nk=\"\"a\"\"\r\n", "s", "k", "\"a\""},
        {"unmatched quotes", "[s]\r\nk=\"a'\r\n", "s", "k", "\"a'"},
        {"lone quote", "[s]\r\nk=\"\r\n", "s", "k", "\""},
        {"inner quotes", "[s]\r\nk=a\"b\"\r\n", "s", "k", "a\"b\""},
        {"empty value is no default", "[s]\r\nk=\r\n", "s", "k", ""},
        {"'=' in value", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
        {"comment", "[s]\r\n;k=1\r\n  ; k=2\r\n", "s", "k", "DEF"},
        {"comment then key", "[s]\r\n;k=1\r\nk=2\r\n", "s", "k", "2"},
        {"first key wins", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "1"},
        {"key of another section", "[a]\r\nk=1\r\n[s]\r\nj=2\r\n", "s", "k", "DEF"},
        {"section met again", "[s]\r\nj=1\r\n[b]\r\nk=b\r\n[s]\r\nk=s\r\n", "s", "k", "s"},
        {"missing section", "[a]\r\nk=1\r\n", "s", "k", "DEF"},
        {"missing key", "[s]\r\nj=1\r\n", "s", "k", "DEF"},
        {"key before any section", "k=1\r\n[s]\r\n", "s", "k", "DEF"},
        {"line without '='", "[s]\r\nk\r\nk=2\r\n", "s", "k", "2"},
        {"text after ']'", "[s] ; note\r\nk=1\r\n", "s", "k", "1"},
        {"header without ']'", "[s\r\nk=1\r\n", "s", "k", "1"},
        {"header without ']' ends the section before", "[a]\r\n[s\r\nk=1\r\n", "a", "k", "DEF"},
        {"lone CR is part of the line", "[s]\r\nk=1\rj=2\r\n", "s", "j", "DEF"},
        {"zero byte ends the value", std::string("[s]\r\nk=ab\0cd\r\n", 14), "s", "k", "ab"},
        {"GBK names", "[Config]\r\n省=广东省\r\n市=广州\r\n", "Config", "市", "广州"},
        {"GBK section", "[城市]\r\n省=北京\r\n", "城市", "省", "北京"},
        // 丄 and 乤 differ only in a trail byte that is 'A' / 'a'.
        {"trail byte not folded", "[s]\r\n乤=lower\r\n", "s", "丄", "DEF"},
        {"trail byte exact", "[s]\r\n乤=lower\r\n丄=upper\r\n", "s", "丄", "upper"},
        // 乚's trail byte is ']': the header must not end inside the character.
        {"']' as trail byte", "[乚]\r\nk=1\r\n", "乚", "k", "1"},
        {"binary junk around", "\xFF\xFE[\r\n\x81\r\n[s]\r\n\x80=x\r\nk=1\r\n\xFF", "s", "k", "1"},
    };
    for (const auto& c : cases) {
        Plant(c.file);
        EXPECT_EQ(Read(c.section, c.key), c.value) << c.what;
    }
}

TEST_F(Profile, MissingFileGivesTheDefault) {
    EXPECT_EQ(Read("Config", "Update"), "DEF");
    // Trailing blanks of a default go, as the original routine does.
    EXPECT_EQ(GetPrivateProfileString("Config", "省", "广东 \t", ini()), "广东");
    EXPECT_EQ(GetPrivateProfileString("Config", "省", "", dir_.Path("")), "");  // a directory
    EXPECT_FALSE(platform::PathExists(ini()));  // reading creates nothing
}

TEST_F(Profile, ValueIsCutToTheLimitAtACharacterBoundary) {
    const std::size_t limit = platform::kProfileValueLimit;
    const std::string a(limit - 1, 'a');  // one byte short of the limit
    const struct {
        const char* what;
        std::string stored;
        std::size_t limit;
        std::string expected;
    } cases[] = {
        {"fits", a + "b", limit, a + "b"},
        {"one byte over", a + "bc", limit, a + "b"},
        {"two-byte character straddles the limit", a + "北", limit, a},
        {"two-byte character ends at the limit", a.substr(1) + "北", limit, a.substr(1) + "北"},
        {"quotes go before the cut", "\"" + a + "bc\"", limit, a + "b"},
        {"small limit", "北京", 3, "北"},
        {"zero limit", "x", 0, ""},
        {"default cut too", "", 2, "DE"},
    };
    for (const auto& c : cases) {
        Plant(c.stored.empty() ? "[s]\r\n" : "[s]\r\nk=" + c.stored + "\r\n");
        EXPECT_EQ(Read("s", "k", c.limit), c.expected) << c.what;
    }
}

TEST_F(Profile, HugeLineWithoutBreakReadsDefinedly) {
    Plant("[s]\r\nk=" + std::string(3'000'000, '\x81'));
    EXPECT_EQ(Read("s", "k").size(), platform::kProfileValueLimit - 1);  // whole characters
    Plant("[" + std::string(3'000'000, 's'));
    EXPECT_EQ(Read("s", "k"), "DEF");
}

TEST_F(Profile, WriteCreatesTheFile) {
    ASSERT_TRUE(WritePrivateProfileString("Config", "省", "广东省", ini()));
    EXPECT_EQ(OnDisk(), "[Config]\r\n省=广东省\r\n");
}

struct WriteCase {
    const char* what;
    std::string before, section, key, value, after;
};

// Every byte outside the changed line must survive, so each case compares the whole file.
TEST_F(Profile, WriteChangesOnlyWhatItMust) {
    const WriteCase cases[] = {
        {"empty file", "", "Config", "k", "v", "[Config]\r\nk=v\r\n"},
        {"replaced in place", "; head\r\n[Config]\r\nUpdate=old\r\nz=1\r\n\r\n[B]\r\nx\xFF\r\n",
         "Config", "Update", "2011年1月1日",
         "; head\r\n[Config]\r\nUpdate=2011年1月1日\r\nz=1\r\n\r\n[B]\r\nx\xFF\r\n"},
        {"replacement keeps the file's key and line break", "[config]\n  UPDATE = old  \nz=1\n",
         "Config", "update", "new", "[config]\nUPDATE=new\nz=1\n"},
        {"replacement at the end without break", "[s]\r\nk=old", "s", "k", "new", "[s]\r\nk=new"},
        {"first of two keys replaced", "[s]\r\nk=1\r\nk=2\r\n", "s", "K", "9",
         "[s]\r\nk=9\r\nk=2\r\n"},
        {"new key after the last key, not after blanks or comments",
         "[Config]\r\na=1\r\n\r\n; trailer\r\n[B]\r\nb=2\r\n", "Config", "c", "3",
         "[Config]\r\na=1\r\nc=3\r\n\r\n; trailer\r\n[B]\r\nb=2\r\n"},
        {"new key in a section without keys", "[Config]\r\n; only a note\r\n[B]\r\n", "Config", "k",
         "v", "[Config]\r\nk=v\r\n; only a note\r\n[B]\r\n"},
        {"new key after a last line without break", "[Config]\r\na=1", "Config", "k", "v",
         "[Config]\r\na=1\r\nk=v\r\n"},
        {"commented key is not replaced", "[s]\r\n;k=old\r\n", "s", "k", "v",
         "[s]\r\nk=v\r\n;k=old\r\n"},
        {"new section at the end", "[A]\r\na=1\r\n\r\n", "Config", "k", "v",
         "[A]\r\na=1\r\n\r\n[Config]\r\nk=v\r\n"},
        {"new section after a last line without break", "[A]\r\na=1", "Config", "k", "v",
         "[A]\r\na=1\r\n[Config]\r\nk=v\r\n"},
        {"new section after a lone CR", "x\r", "s", "k", "v", "x\r\r\n[s]\r\nk=v\r\n"},
        {"GBK key added beside another", "[Config]\r\n省=广东省\r\n", "Config", "市", "广州",
         "[Config]\r\n省=广东省\r\n市=广州\r\n"},
        {"trail-byte twin is another key", "[s]\r\n乤=x\r\n", "s", "丄", "y",
         "[s]\r\n乤=x\r\n丄=y\r\n"},
        {"value blanks and quotes kept as given", "", "s", "k", " \"v\" ", "[s]\r\nk= \"v\" \r\n"},
    };
    for (const auto& c : cases) {
        Plant(c.before);
        ASSERT_TRUE(WritePrivateProfileString(c.section, c.key, c.value, ini())) << c.what;
        EXPECT_EQ(OnDisk(), c.after) << c.what;
    }
}

TEST_F(Profile, WrittenValuesReadBack) {
    ASSERT_TRUE(WritePrivateProfileString("Config", "省", "广东省", ini()));
    ASSERT_TRUE(WritePrivateProfileString("Config", "市", "广州", ini()));
    ASSERT_TRUE(WritePrivateProfileString("Config", "Update", "2011年1月1日", ini()));
    ASSERT_TRUE(WritePrivateProfileString("config", "省", "北京", ini()));
    EXPECT_EQ(Read("Config", "省"), "北京");
    EXPECT_EQ(Read("Config", "市"), "广州");
    EXPECT_EQ(Read("Config", "Update"), "2011年1月1日");
    EXPECT_EQ(OnDisk(), "[Config]\r\n省=北京\r\n市=广州\r\nUpdate=2011年1月1日\r\n");
}

// Texts that would not read back as written are refused, and the file stays as it was.
TEST_F(Profile, WriteRefusesWhatWouldCorruptTheFile) {
    const std::string before = "[s]\r\nk=1\r\n";
    const struct {
        std::string section, key, value;
    } cases[] = {
        {"s", "k", "a\r\nj=2"}, {"s", "k", "a\nb"}, {"s", "k\r\n", "v"},
        {"s\n[t]", "k", "v"},   {"s", "a=b", "v"},  {"s]", "k", "v"},
        {"s", ";k", "v"},       {"s", " [k", "v"},  {"s", "k", std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        Plant(before);
        EXPECT_FALSE(WritePrivateProfileString(c.section, c.key, c.value, ini()))
            << testing::PrintToString(c.section + "|" + c.key + "|" + c.value);
        EXPECT_EQ(OnDisk(), before);
    }
}

TEST_F(Profile, WriteFailureIsReportedAndChangesNothing) {
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", dir_.Path("missing/tmp.ini")));
    ASSERT_TRUE(platform::CreateDirectory(ini()));  // a directory where the file should be
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", ini()));
    EXPECT_TRUE(platform::IsDirectory(ini()));
    EXPECT_TRUE(platform::ListDirectory(ini()).empty());
}

}  // namespace
