#include "platform/environment.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/scratch_dir.h"

namespace {

using platform_test::Utf8;

// Each test runs with an environment of its own, and the real one comes back afterwards.
class Environment : public ::testing::Test {
  protected:
    void TearDown() override { environ = saved_; }

    std::string TempWith(const std::vector<std::string>& entries) {
        storage_ = entries;
        pointers_.clear();
        for (auto& entry : storage_) pointers_.push_back(entry.data());
        pointers_.push_back(nullptr);
        environ = pointers_.data();
        return platform::TempDirectory();
    }

  private:
    char** saved_ = environ;
    std::vector<std::string> storage_;
    std::vector<char*> pointers_;
};

TEST_F(Environment, FindsTempWhateverItsLetterCase) {
    const struct {
        std::vector<std::string> entries;
        std::string expected;
    } cases[] = {
        {{"TEMP=/home/u/t"}, "/home/u/t"},
        {{"Temp=/a"}, "/a"},
        {{"temp=/b"}, "/b"},
        {{"tEmP=/c"}, "/c"},
        {{"PATH=/bin", "TEMP=/first", "temp=/second"}, "/first"},
        {{"TEMP=/x/", "TMPDIR=/var"}, "/x"},
        {{"TEMP=//x//"}, "//x"},
        {{"TEMP=/"}, "/"},
        {{"TEMP=relative"}, "relative"},
        {{Utf8(u8"TEMP=/tmp/北京")}, "/tmp/北京"},  // UTF-8 from the system, GBK to us
        {{"TEMP=/tmp/\xC3"}, "/tmp/?"},
    };
    for (const auto& c : cases) EXPECT_EQ(TempWith(c.entries), c.expected) << c.entries.back();
}

TEST_F(Environment, WithoutTempFallsBackToTheSystemDirectoryNeverTheRoot) {
    const struct {
        std::vector<std::string> entries;
        std::string expected;
    } cases[] = {
        {{}, "/tmp"},
        {{"TMP=/x", "Tmp=/y", "TEMPDIR=/z", "XTEMP=/w", "TEMP"}, "/tmp"},  // other names
        {{"TEMP="}, "/tmp"},
        {{"TMPDIR=/"}, "/tmp"},
        {{"TMPDIR=/no/such/dir"}, "/tmp"},
        {{"TMPDIR=/dev/"}, "/dev"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TempWith(c.entries), c.expected) << testing::PrintToString(c.entries);
    }
}

}  // namespace
