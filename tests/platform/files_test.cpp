#include "platform/files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::EntryKind;
using platform_test::Utf8;

class Files : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.created()); }

    std::string Path(const std::string& name) const { return dir_.Path(name); }
    fs::path SystemPath(const std::string& utf8_name) const {
        return dir_.system_path() / utf8_name;
    }

    static std::string Content(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Plant(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Names in the directory, so a test sees any temporary left behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_.system_path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    platform_test::ScratchDir dir_;
};

TEST_F(Files, WholeFileRoundTripReplacesAndLeavesNoTemporary) {
    const std::string bytes("\xFF\x00\r\n\x81\x41 end", 10);
    ASSERT_TRUE(platform::WriteWholeFile(Path("a.bin"), "old content that is longer"));
    ASSERT_TRUE(platform::WriteWholeFile(Path("a.bin"), bytes));
    EXPECT_EQ(platform::ReadWholeFile(Path("a.bin")), bytes);
    ASSERT_TRUE(platform::WriteWholeFile(Path("empty"), ""));
    EXPECT_EQ(platform::ReadWholeFile(Path("empty")), "");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bin", "empty"}));
}

TEST_F(Files, KeepsThePermissionsOfTheFileItReplaces) {
    Plant(SystemPath("private"), "old");
    fs::permissions(SystemPath("private"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(platform::WriteWholeFile(Path("private"), "new"));
    EXPECT_EQ(fs::status(SystemPath("private")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(Files, AppendsOnlyToAnExistingRegularFile) {
    ASSERT_TRUE(platform::WriteWholeFile(Path("log"), ""));
    EXPECT_TRUE(platform::AppendToFile(Path("log"), "A\r\n"));
    EXPECT_TRUE(platform::AppendToFile(Path("log"), std::string("\x81\x00B", 3)));
    EXPECT_EQ(Content(SystemPath("log")), std::string("A\r\n\x81\x00B", 6));

    Plant(SystemPath("victim"), "secret");
    fs::create_symlink(SystemPath("victim"), SystemPath("link"));
    ASSERT_EQ(mkfifo(SystemPath("fifo").c_str(), 0600), 0);  // no reader: must not hang
    fs::create_directory(SystemPath("dir"));
    for (const char* name : {"missing", "link", "fifo", "dir"}) {
        EXPECT_FALSE(platform::AppendToFile(Path(name), "x")) << name;
    }
    EXPECT_EQ(Content(SystemPath("victim")), "secret");
    EXPECT_FALSE(fs::exists(SystemPath("missing")));
}

TEST_F(Files, ReplacesAPlantedLinkWithoutTouchingItsTarget) {
    Plant(SystemPath("victim"), "secret");
    fs::create_symlink(SystemPath("victim"), SystemPath("tmp.html"));
    ASSERT_TRUE(platform::WriteWholeFile(Path("tmp.html"), "page"));
    EXPECT_FALSE(fs::is_symlink(SystemPath("tmp.html")));
    EXPECT_EQ(Content(SystemPath("tmp.html")), "page");
    EXPECT_EQ(Content(SystemPath("victim")), "secret");
}

TEST_F(Files, FailedWriteKeepsOldContentAndLeavesNoTemporary) {
    Plant(SystemPath("keep"), "old");
    fs::create_directory(SystemPath("dir"));
    const std::string cases[] = {
        Path("missing/keep"),                       // directory does not exist
        Path("dir"),                                // a directory stands at the target
        Path("keep/child"),                         // parent is a file
        Path("keep") + std::string(1, '\0') + "x",  // a zero byte would name "keep"
    };
    for (const auto& path : cases) EXPECT_FALSE(platform::WriteWholeFile(path, "new"));
    EXPECT_EQ(Content(SystemPath("keep")), "old");
    EXPECT_EQ(Names(), (std::vector<std::string>{"dir", "keep"}));
}

// A write that fails half-way (here: the file size limit, which binds root too).
TEST_F(Files, WriteFailingMidwayKeepsOldContent) {
    Plant(SystemPath("keep"), "old");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous_handler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = platform::WriteWholeFile(Path("keep"), std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous_handler);
    EXPECT_FALSE(written);
    EXPECT_EQ(Content(SystemPath("keep")), "old");
    EXPECT_EQ(Names(), (std::vector<std::string>{"keep"}));
}

TEST_F(Files, WriteIntoReadOnlyDirectoryFails) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into any directory";
    fs::create_directory(SystemPath("ro"));
    Plant(SystemPath("ro/keep"), "old");
    fs::permissions(SystemPath("ro"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(platform::WriteWholeFile(Path("ro/keep"), "new"));
    fs::permissions(SystemPath("ro"), fs::perms::owner_all);
    EXPECT_EQ(Content(SystemPath("ro/keep")), "old");
}

TEST_F(Files, ReadsOnlyRegularFiles) {
    fs::create_directory(SystemPath("dir"));
    ASSERT_EQ(mkfifo(SystemPath("fifo").c_str(), 0600), 0);
    EXPECT_EQ(platform::ReadWholeFile(Path("missing")), std::nullopt);
    EXPECT_EQ(platform::ReadWholeFile(Path("dir")), std::nullopt);
    EXPECT_EQ(platform::ReadWholeFile(Path("fifo")), std::nullopt);  // and does not hang
    EXPECT_EQ(platform::ReadLines(Path("missing")), std::nullopt);
}

TEST_F(Files, SplitsLinesAtLfDroppingTheCrBeforeIt) {
    using Lines = std::vector<std::string>;
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"\n\r\n", {"", ""}},
        {"a\rb\r\r\n", {"a\rb\r"}},  // only the CR just before LF goes
        {"x\r", {"x\r"}},
        {"北京\r\n广州\n", {"北京", "广州"}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(platform::WriteWholeFile(Path("lines"), c.bytes));
        EXPECT_EQ(platform::ReadLines(Path("lines")), c.lines) << testing::PrintToString(c.bytes);
    }
}

TEST_F(Files, GbkNamesAreUtf8OnDiskAndGbkInListings) {
    ASSERT_TRUE(platform::CreateDirectory(Path("广东省")));
    ASSERT_TRUE(platform::WriteWholeFile(Path("广东省/广州"), "line"));
    ASSERT_TRUE(platform::WriteWholeFile(Path("北京"), "x"));
    EXPECT_TRUE(fs::is_directory(SystemPath(Utf8(u8"广东省"))));
    EXPECT_EQ(Content(SystemPath(Utf8(u8"广东省/广州"))), "line");
    EXPECT_EQ(Content(SystemPath(Utf8(u8"北京"))), "x");
    fs::create_symlink(SystemPath("nowhere"), SystemPath("dangling"));

    auto entries = platform::ListDirectory(dir_.Path(""));
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 3u);
    // Sorted by GBK bytes: "dangling" < 北京 (B1B1) < 广东省 (B9E3).
    EXPECT_EQ(entries[0].name, "dangling");
    EXPECT_EQ(entries[0].kind, EntryKind::Other);
    EXPECT_EQ(entries[1].name, "北京");
    EXPECT_EQ(entries[1].kind, EntryKind::File);
    EXPECT_EQ(entries[2].name, "广东省");
    EXPECT_EQ(entries[2].kind, EntryKind::Directory);
    EXPECT_TRUE(platform::ListDirectory(Path("missing")).empty());
}

TEST_F(Files, DirectoriesExistenceAndDeletion) {
    ASSERT_TRUE(platform::WriteWholeFile(Path("file"), "x"));
    EXPECT_TRUE(platform::CreateDirectory(Path("d")));
    EXPECT_TRUE(platform::CreateDirectory(Path("d")));  // already there counts
    EXPECT_FALSE(platform::CreateDirectory(Path("file")));
    EXPECT_FALSE(platform::CreateDirectory(Path("missing/d")));

    EXPECT_TRUE(platform::PathExists(Path("file")));
    EXPECT_TRUE(platform::PathExists(Path("d")));
    EXPECT_FALSE(platform::PathExists(Path("missing")));
    EXPECT_FALSE(platform::PathExists(""));
    EXPECT_TRUE(platform::IsDirectory(Path("d")));
    EXPECT_FALSE(platform::IsDirectory(Path("file")));

    EXPECT_FALSE(platform::DeleteFile(Path("d")));  // a directory is no file
    EXPECT_TRUE(platform::DeleteFile(Path("file")));
    EXPECT_FALSE(platform::DeleteFile(Path("file")));
    EXPECT_FALSE(platform::PathExists(Path("file")));
}

}  // namespace
