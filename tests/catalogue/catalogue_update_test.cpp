#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QTimer>
#include <filesystem>
#include <set>

#include "platform/profile.h"
#include "update_fixture.h"

namespace {

using catalogue_test::CataloguePage;
using catalogue_test::CityLine;
using catalogue_test::Notice;
using catalogue_test::Province;
using testsupport::RunEventsUntil;
using testsupport::Utf8;

class CatalogueUpdateTest : public catalogue_test::UpdateFixture {
protected:
    std::string SavedUpdate() {
        return platform::GetPrivateProfileString("Config", "Update", "", dir_.gbk() + "/tmp.ini");
    }
    // Every file below the program directory, as relative UTF-8 paths.
    std::set<std::string> FilesOnDisk() {
        std::set<std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_.path())) {
            if (!entry.is_directory()) {
                files.insert(std::filesystem::relative(entry.path(), dir_.path()).string());
            }
        }
        return files;
    }
    std::vector<std::string> NoticeTexts() {
        std::vector<std::string> texts;
        for (const Notice& notice : notices_) texts.push_back(notice.text);
        return texts;
    }
};

// The state half-way: the first province split, the second one's catalogue fetch held.
TEST_F(CatalogueUpdateTest, HeadingsAndScriptsBeforeTheSecondProvince) {
    struct Case {
        std::vector<Province> provinces;
        std::vector<std::string> scripts;
        std::vector<std::string> headings;
        std::string tmp_dat;
    };
    const Case cases[] = {
        // Three provinces after the title heading, markup kept; N (2) is the number of
        // script links, not of headings.
        {{{"北京市", {"北京"}}, {"<b>天津</b>", {"天津"}}, {"河北省", {}}},
         {"A", "B"},
         {"北京市", "<b>天津</b>", "河北省"},
         "A\r\nB\r\n"},
        // No script link: tmp.dat is created empty. A second download starts afresh.
        {{{"甲省", {}}, {"乙省", {}}}, {}, {"甲省", "乙省"}, ""},
    };
    for (const Case& c : cases) {
        Serve({CataloguePage(c.provinces)}, c.scripts);
        Hold(3);  // page fetches: headings, first province, second province
        download_.DownloadCatalogue();
        ASSERT_TRUE(WaitUntilHeld());
        EXPECT_EQ(Entries(headings_), c.headings);
        EXPECT_EQ(headings_.CurrentIndex(), 1);  // the split moved on to the second province
        EXPECT_EQ(TmpDat(), c.tmp_dat);
        EXPECT_FALSE(tabs_.Enabled());
        EXPECT_TRUE(split_.UpdateRunning());
        Release();
        ASSERT_TRUE(RunEventsUntil([&] { return UpdateOver(); }));
    }
    // Page, both scripts, page per province (3 provinces) for the first case; then 3 pages.
    EXPECT_EQ(server_.Requests().size(), 1u + 2u + 3u + 1u + 2u);
    EXPECT_EQ(server_.Requests()[1].target, "/js/city1.js");
    EXPECT_EQ(server_.Requests()[2].target, "/js/city2.js");
}

TEST_F(CatalogueUpdateTest, ProvincesTakeTheirOwnBlocksAndTheUpdateEnds) {
    dir_.Write("data/P0/A", "old line");
    dir_.Write("data/P0/Unlisted", "kept");
    dir_.Write("data/Gone/X", "kept too");
    dir_.Write("tmp.ini", "[Config]\r\nUpdate=2010年1月1日\r\n");
    Serve({CataloguePage({{"P0", {"A", "乗"}}, {"P1", {"AB"}}, {"P2", {"Missing"}}})},
          {CityLine("AB", "ab") + "\n" + CityLine("A", "first"),
           CityLine("A", "second") + "\r\n" + CityLine("乗", "jo")});
    window_.Move(0, 0);
    RunUpdate();

    // "A" is not found in the line of "AB"; of two lines with its key the first wins.
    EXPECT_EQ(dir_.Read("data/P0/A"), CityLine("A", "first"));
    EXPECT_EQ(dir_.Read(Utf8("data/P0/乗")), CityLine("乗", "jo"));
    EXPECT_EQ(dir_.Read("data/P1/AB"), CityLine("AB", "ab"));  // from the third block
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "data/P2"));  // no city found
    EXPECT_EQ(dir_.Read("data/P0/Unlisted"), "kept");
    EXPECT_EQ(dir_.Read("data/Gone/X"), "kept too");
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "tmp.dat"));

    EXPECT_EQ(SavedUpdate(), "2011年1月1日12时30分");
    EXPECT_EQ(rebuilds_, 1);
    EXPECT_EQ(freshness_checks_, 1);
    EXPECT_TRUE(tabs_.Enabled());
    EXPECT_EQ(status_.PaneText(1), "更新完成...");
    EXPECT_EQ(NoticeTexts(),
              (std::vector<std::string>{"分析网络配置文件...", "读取网络配置文件...|",
                                        "保存网络配置文件...", "保存网络配置文件...",
                                        "保存网络配置文件...", "更新完成..."}));
    EXPECT_EQ(notices_.front(), (Notice{"正在更新...", "分析网络配置文件...", 1, 0, false}));
    EXPECT_EQ(notices_.back(), (Notice{"正在更新...", "更新完成...", 1, 3000, true}));
    EXPECT_EQ(PageFetches(), 4);  // P + 1

    EXPECT_TRUE(window_.Visible());
    EXPECT_EQ(window_.State(), toolkit::WindowState::Normal);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window_.Left(), area.x() + (area.width() - window_.Width()) / 2);
}

TEST_F(CatalogueUpdateTest, NamesLeadingOutOfTheDataDirectoryAreSkipped) {
    const std::vector<Province> provinces = {
        {"..", {"evil"}},
        {"a/b", {"c"}},
        {"乗省", {"乗"}},  // a backslash as second byte is part of a character, not a separator
        {"P", {"..", ".", "../up", "x\\y", "/abs", "", "ok"}},
    };
    std::string script;
    for (const Province& province : provinces) {
        for (const std::string& city : province.cities) script += CityLine(city) + "\n";
    }
    Serve({CataloguePage(provinces)}, {script});
    RunUpdate();
    EXPECT_EQ(FilesOnDisk(), (std::set<std::string>{Utf8("data/乗省/乗"), "data/P/ok", "tmp.ini"}));
    EXPECT_EQ(status_.PaneText(1), "更新完成...");
}

TEST_F(CatalogueUpdateTest, WithoutTheProvincesBlockTheUpdateEndsAsFailed) {
    const std::string good = CataloguePage({{"P0", {"A"}}, {"P1", {"B"}}});
    struct Case {
        const char* what;
        std::vector<std::string> pages;
        bool first_province_written;
    };
    const Case cases[] = {
        {"no page at all", {}, false},
        {"the page is gone when the second province is collected", {good, good, ""}, true},
        {"a heading without its block", {CataloguePage({{"P0", {"A"}}}) + "<h1>P1</h1>"}, true},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(dir_.path() / "data");
        dir_.Write("tmp.ini", "[Config]\r\nUpdate=2010年1月1日\r\n");
        notices_.clear();
        Serve(c.pages, {CityLine("A") + "\n" + CityLine("B")});
        RunUpdate();
        EXPECT_TRUE(tabs_.Enabled()) << c.what;
        EXPECT_EQ(status_.PaneText(1), "更新失败...") << c.what;
        ASSERT_FALSE(notices_.empty());
        EXPECT_EQ(notices_.back(), (Notice{"正在更新...", "更新失败...", 1, 3000, true})) << c.what;
        EXPECT_EQ(SavedUpdate(), "2010年1月1日") << c.what;
        EXPECT_EQ(std::filesystem::exists(dir_.path() / "data/P0/A"), c.first_province_written)
            << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir_.path() / "tmp.dat")) << c.what;
        EXPECT_TRUE(window_.Visible()) << c.what;
    }
    EXPECT_EQ(rebuilds_, 0);
    EXPECT_EQ(freshness_checks_, 0);

    // The failed update is over: the next one runs.
    Serve({good}, {CityLine("A") + "\n" + CityLine("B")});
    RunUpdate();
    EXPECT_EQ(dir_.Read("data/P1/B"), CityLine("B"));
    EXPECT_EQ(rebuilds_, 1);
}

TEST_F(CatalogueUpdateTest, RefusedServerEndsTheUpdateAsFailed) {
    int closed_port = 0;
    {
        testsupport::RecordingServer gone;
        closed_port = gone.port();
    }
    const net::RemoteAddresses nowhere =
        net::RemoteAddressesFor("127.0.0.1:" + std::to_string(closed_port), "127.0.0.1:1");
    catalogue::CatalogueDownload download(controls_, nowhere, dir_.gbk(), show_notice_, split_);
    download.DownloadCatalogue();
    ASSERT_TRUE(RunEventsUntil([&] { return UpdateOver(); }));
    EXPECT_EQ(headings_.Count(), 0);
    EXPECT_TRUE(tabs_.Enabled());
    EXPECT_EQ(status_.PaneText(1), "更新失败...");
    EXPECT_EQ(FilesOnDisk(), std::set<std::string>{});
}

// The window thread keeps running events while the site is slow, and a start while an update
// runs is refused, whether the update waits on the window thread or on a split thread.
TEST_F(CatalogueUpdateTest, ASecondStartWhileOneRunsIsRefused) {
    Serve({CataloguePage({{"P0", {"A"}}, {"P1", {"B"}}})}, {CityLine("A") + "\n" + CityLine("B")});
    Hold(1);
    bool ran_during_download = false;
    QTimer::singleShot(0, [&] {  // runs only inside the fetch's event handling
        ran_during_download = true;
        download_.DownloadCatalogue();  // nested in the first fetch: refused
        Release();
    });
    download_.DownloadCatalogue();
    EXPECT_TRUE(ran_during_download);

    Hold(3);
    ASSERT_TRUE(WaitUntilHeld());
    download_.DownloadCatalogue();  // while the second province waits: refused
    EXPECT_EQ(Entries(headings_), (std::vector<std::string>{"P0", "P1"}));
    Release();
    ASSERT_TRUE(RunEventsUntil([&] { return UpdateOver(); }));
    EXPECT_EQ(PageFetches(), 3);
    EXPECT_EQ(server_.Requests().size(), 5u);  // three pages and the two scripts
    EXPECT_EQ(rebuilds_, 1);
}

}  // namespace
