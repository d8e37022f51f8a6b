// Ending the program while a split runs. A suite of its own: once the application has ended,
// no other widget test could run in this process.
#include <filesystem>

#include "platform/profile.h"
#include "update_fixture.h"

namespace {

using catalogue_test::CataloguePage;
using catalogue_test::CityLine;

class CatalogueEndingTest : public catalogue_test::UpdateFixture {};

TEST_F(CatalogueEndingTest, ASplitStillRunningNeitherHangsNorWritesOnAfterTheEnd) {
    Serve({CataloguePage({{"P0", {"A"}}, {"P1", {"B"}}})}, {CityLine("A") + "\n" + CityLine("B")});
    Hold(3);  // the split thread of P0 waits for the page of P1
    download_.DownloadCatalogue();
    ASSERT_TRUE(WaitUntilHeld());
    ASSERT_TRUE(std::filesystem::exists(dir_.path() / "data/P0/A"));

    testsupport::App().End(0);
    Release();
    // The split thread finds the window thread closed and stops there: no further files,
    // no update time, and it is gone although nobody runs the window's events any more.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (split_.RunningSplits() > 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    EXPECT_EQ(split_.RunningSplits(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "data/P1"));
    EXPECT_EQ(platform::GetPrivateProfileString("Config", "Update", "", dir_.gbk() + "/tmp.ini"),
              "");
    EXPECT_EQ(PageFetches(), 3);
}

}  // namespace
