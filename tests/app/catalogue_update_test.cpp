// Whole catalogue updates of the program against tarnbay-site on loopback.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/program.h"
#include "catalogue/city_record.h"
#include "data_set.h"
#include "faults.h"
#include "platform/profile.h"
#include "site_server.h"
#include "support/temp_dir.h"
#include "support/widget_test.h"

namespace {

using testsupport::RunEventsUntil;

constexpr catalogue::DateTime kNow{2011, 3, 10, 12, 0, 0};

class SiteUpdateTest : public ::testing::Test {
protected:
    ~SiteUpdateTest() override {
        if (program_) {
            RunEventsUntil([&] { return program_->city_split().RunningSplits() == 0; });
        }
        if (server_) server_->Stop();
    }

    void StartSite(std::vector<site::FaultRule> faults = {}) {
        std::string error;
        data_ = site::LoadDataSet(site::DefaultDataDirectory(), error);
        ASSERT_TRUE(data_) << error;
        if (!faults.empty()) site::AddHostileCatalogueEntries(*data_);
        site::ServerOptions options;
        options.port = 0;
        options.faults = std::move(faults);
        server_ = std::make_unique<site::SiteServer>(*data_, options);
        ASSERT_TRUE(server_->Start(error)) << error;
    }

    app::Program& StartProgram(bool answer) {
        app::ProgramSetup setup;
        setup.program_directory = ProgramDirectory();
        setup.result_page_path = dir_.gbk() + "/tmp.html";
        const std::string port = std::to_string(server_->port());
        setup.addresses =
            net::RemoteAddressesFor("bus.localhost:" + port, "ostrel.localhost:" + port);
        setup.clock = [] { return kNow; };
        setup.answer_questions = [this, answer](const std::string& title, const std::string& text) {
            questions_.push_back(title + text);
            return answer;
        };
        program_ = std::make_unique<app::Program>(testsupport::App(), setup);
        program_->Start();
        return *program_;
    }

    // One level below the test's directory, so that a file written outside the program
    // directory is still seen.
    std::string ProgramDirectory() {
        std::filesystem::create_directories(dir_.path() / "program");
        return dir_.gbk() + "/program";
    }

    bool WaitForTheUpdate() {
        return RunEventsUntil(
            [&] {
                return !program_->city_split().UpdateRunning() &&
                       program_->city_split().RunningSplits() == 0;
            },
            std::chrono::seconds(60));
    }

    // Files below the test's directory by their directory (relative, UTF-8).
    std::map<std::string, int> FilesPerDirectory() {
        std::map<std::string, int> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_.path())) {
            if (entry.is_regular_file()) {
                ++files[std::filesystem::relative(entry.path().parent_path(), dir_.path())];
            }
        }
        return files;
    }
    int CityFiles() {
        int count = 0;
        for (const auto& [directory, files] : FilesPerDirectory()) {
            if (directory.rfind("program/data/", 0) == 0) count += files;
        }
        return count;
    }

    testsupport::TempDir dir_;
    std::unique_ptr<site::DataSet> data_;
    std::unique_ptr<site::SiteServer> server_;
    std::vector<std::string> questions_;
    std::unique_ptr<app::Program> program_;
};

TEST_F(SiteUpdateTest, FirstRunYesFillsTheStoreFromTheSite) {
    StartSite();
    app::Program& program = StartProgram(true);
    ASSERT_TRUE(WaitForTheUpdate());
    app::MainWindow& w = program.main_window();

    // Only the first-run question: its update keeps the freshness check quiet.
    EXPECT_EQ(questions_, std::vector<std::string>{"信息：第一次运行软件，是否进行公交线路更新？"});
    EXPECT_EQ(CityFiles(), 337);
    EXPECT_EQ(FilesPerDirectory().size(), 31u + 1u);  // each province, and tmp.ini beside them
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "program/tmp.dat"));
    EXPECT_EQ(platform::GetPrivateProfileString("Config", "Update", "",
                                                ProgramDirectory() + "/tmp.ini"),
              catalogue::FormatDateTime(kNow));

    // The lists are rebuilt from the new files: Kelvane and the 31 provinces.
    EXPECT_EQ(w.组合框_省.Count(), 32);
    EXPECT_EQ(w.组合框_市.Text(), "各省市公交");
    catalogue::CurrentCity beijing;
    catalogue::LoadCityRecord(ProgramDirectory() + "/data/北京市/北京", beijing);
    EXPECT_EQ(beijing.Snapshot().city, "beijing");
    EXPECT_EQ(beijing.Snapshot().domain, ".bus.localhost:" + std::to_string(server_->port()));

    EXPECT_EQ(w.状态条1.PaneText(0), "今日已更新");
    EXPECT_EQ(w.状态条1.PaneText(1), "更新完成...");
    EXPECT_FALSE(w.更新.Enabled());
    EXPECT_TRUE(w.高级选择夹1.Enabled());
    EXPECT_TRUE(w.window.Visible());
    EXPECT_EQ(w.window.State(), toolkit::WindowState::Normal);
}

TEST_F(SiteUpdateTest, UpdateButtonSkipsHostileNamesAndKeepsToTheDataDirectory) {
    StartSite({site::FaultRule{site::FaultMode::kHostile, ""}});
    dir_.Write("program/tmp.ini", "[Config]\r\nUpdate=2011年3月7日\r\n");  // 3 days: no question
    app::Program& program = StartProgram(false);
    app::MainWindow& w = program.main_window();
    ASSERT_TRUE(w.更新.Enabled());
    w.更新.Click();
    ASSERT_TRUE(WaitForTheUpdate());

    EXPECT_TRUE(questions_.empty());
    EXPECT_EQ(w.组合框9.Count(), 31 + 2);  // the site did offer the two hostile provinces
    // The real cities only: nothing of the hostile provinces, nothing outside data.
    EXPECT_EQ(CityFiles(), 337);
    const std::map<std::string, int> files = FilesPerDirectory();
    EXPECT_EQ(files.size(), 31u + 1u);
    EXPECT_EQ(files.at("program"), 1);  // tmp.ini
    EXPECT_EQ(w.组合框_省.Count(), 32);
    EXPECT_EQ(w.状态条1.PaneText(0), "今日已更新");
}

}  // namespace
