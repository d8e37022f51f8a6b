#include "query/result_page.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "support/temp_dir.h"

namespace {

using testsupport::TempDir;

TEST(ResultPage, PathLiesInTheTemporaryDirectory) {
    TempDir dir;
    const char* old = std::getenv("TEMP");
    const std::string saved = old ? old : "";
    setenv("TEMP", dir.gbk().c_str(), 1);
    EXPECT_EQ(query::ResultPagePath(), dir.gbk() + "/tmp.html");
    if (old) {
        setenv("TEMP", saved.c_str(), 1);
    } else {
        unsetenv("TEMP");
    }
    EXPECT_NE(query::ResultPagePath(), "/tmp.html");
}

TEST(ResultPage, WritesExactlyTheFragmentThenNavigates) {
    TempDir dir;
    query::ResultPage page(dir.gbk() + "/tmp.html");
    std::vector<std::string> shown;
    page.SetNavigator([&](const std::string& path) { shown.push_back(dir.Read("tmp.html") + "@" + path); });
    const std::string fragment = "<ul id=\"re_con\">永定门\r\n</ul>";
    page.Show(fragment);
    page.Show("");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], fragment + "@" + page.path());
    EXPECT_EQ(shown[1], "@" + page.path());  // an empty answer is an empty page
    // Only the page file is left: the atomic write leaves no temporary beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ResultPage, ConcurrentPagesNeverInterleaveWriteAndNavigation) {
    TempDir dir;
    query::ResultPage page(dir.gbk() + "/tmp.html");
    std::atomic<int> mismatches{0};
    std::mutex written_mutex;
    std::map<std::thread::id, std::string> written;  // what each worker last showed
    page.SetNavigator([&](const std::string&) {
        std::lock_guard lock(written_mutex);
        if (dir.Read("tmp.html") != written[std::this_thread::get_id()]) ++mismatches;
    });
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i) {
                const std::string mine(1000 + t * 100 + i, static_cast<char>('a' + t));
                {
                    std::lock_guard lock(written_mutex);
                    written[std::this_thread::get_id()] = mine;
                }
                page.Show(mine);
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    EXPECT_EQ(mismatches, 0);
}

TEST(ResultPage, UnwritablePlaceIsNotReportedAndStillNavigates) {
    query::ResultPage page("/nonexistent-dir-for-tarnbay/tmp.html");
    int navigations = 0;
    page.SetNavigator([&](const std::string&) { ++navigations; });
    page.Show("x");
    EXPECT_EQ(navigations, 1);
}

}  // namespace
