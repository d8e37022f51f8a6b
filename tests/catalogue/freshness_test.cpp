#include "catalogue/freshness.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "support/widget_test.h"
#include "toolkit/button.h"
#include "toolkit/message_box.h"
#include "toolkit/status_bar.h"
#include "toolkit/window.h"

namespace {

using catalogue::DateTime;

class FreshnessTest : public ::testing::Test {
protected:
    FreshnessTest() {
        window_.SetGeometry(0, 0, 401, 422);
        window_.Load();
        questions_.answerer = [this](const std::string& title, const std::string& text) {
            asked_.push_back(title + text);
            return answer_;
        };
    }
    void SaveUpdate(const std::string& text) {
        dir_.Write("tmp.ini", "[Config]\r\nUpdate=" + text + "\r\n");
    }
    std::vector<std::string> Panes() {
        std::vector<std::string> texts;
        for (int i = 0; i < status_.PaneCount(); ++i) texts.push_back(status_.PaneText(i));
        return texts;
    }

    testsupport::TempDir dir_;
    DateTime now_{2011, 3, 10, 12, 0, 0};
    bool answer_ = false;
    std::vector<std::string> asked_;
    int downloads_ = 0;
    std::atomic<bool> first_run_update_started_{false};

    toolkit::Window window_{toolkit::WindowStyle{}};
    toolkit::StatusBar status_{window_.widget()};
    toolkit::Button update_{window_.widget()};
    toolkit::MessageBox questions_;
    catalogue::Freshness freshness_{{window_, status_, update_, questions_},
                                    dir_.gbk(),
                                    [this] { return now_; },
                                    first_run_update_started_,
                                    [this] { ++downloads_; }};
};

const std::string kFirstRunQuestion = "信息：第一次运行软件，是否进行公交线路更新？";
const std::string kFreshnessQuestion = "更新提示：公交线路已更新，是否立即更新？";

TEST_F(FreshnessTest, AgeOfTheData) {
    struct Case {
        const char* update;  // now is 2011-03-10 12:00:00
        std::vector<std::string> panes;
        bool asked;
        bool update_enabled;
    };
    const Case cases[] = {
        {"2011年3月9日13时", {"今日已更新", "完成"}, false, false},  // 23 hours, the day before
        {"2011年3月9日12时", {"今日已更新", "完成"}, false, false},  // exactly one day
        {"2011年3月15日", {"今日已更新", "完成"}, false, false},     // in the future
        {"2011年3月7日14时24分", {"完成", "完成", "已有2天未更新"}, false, true},  // 2.9 days
        {"2011年3月5日12时", {"完成", "完成", "已有5天未更新"}, false, true},      // exactly 5
        {"2011年3月5日11时59分59秒", {"完成", "完成", "已有5天未更新"}, true, true},
    };
    for (const Case& c : cases) {
        SaveUpdate(c.update);
        toolkit::StatusBar bar(window_.widget());  // as start-up leaves it
        bar.AddPane("完成", 200);
        bar.AddPane("完成", 200);
        catalogue::Freshness check({window_, bar, update_, questions_}, dir_.gbk(),
                                   [this] { return now_; }, first_run_update_started_,
                                   [this] { ++downloads_; });
        asked_.clear();
        update_.SetEnabled(true);
        EXPECT_FALSE(check.CheckFreshness()) << c.update;  // every answer is No
        std::vector<std::string> panes;
        for (int i = 0; i < bar.PaneCount(); ++i) panes.push_back(bar.PaneText(i));
        EXPECT_EQ(panes, c.panes) << c.update;
        EXPECT_EQ(bar.PaneWidth(bar.PaneCount() - 1), 200) << c.update;
        EXPECT_EQ(asked_.size(), c.asked ? 1u : 0u) << c.update;
        EXPECT_EQ(update_.Enabled(), c.update_enabled) << c.update;
    }
    EXPECT_EQ(downloads_, 0);
}

TEST_F(FreshnessTest, FreshDataWithoutPanesGetOneOfHalfTheWindowsWidth) {
    SaveUpdate("2011年3月10日");
    EXPECT_FALSE(freshness_.CheckFreshness());
    EXPECT_EQ(Panes(), std::vector<std::string>{"今日已更新"});
    EXPECT_EQ(status_.PaneWidth(0), window_.Width() / 2);
}

TEST_F(FreshnessTest, FirstRunAskedOnlyWithoutSettingsFile) {
    EXPECT_FALSE(freshness_.CheckFirstRun());  // No
    EXPECT_EQ(asked_, std::vector<std::string>{kFirstRunQuestion});
    // The freshness check then finds no update time at all and asks at once.
    EXPECT_FALSE(freshness_.CheckFreshness());
    ASSERT_EQ(status_.PaneCount(), 1);
    EXPECT_EQ(status_.PaneText(0), "已有698046天未更新");  // since 1 January of year 100
    EXPECT_EQ(asked_.back(), kFreshnessQuestion);
    EXPECT_EQ(downloads_, 0);

    asked_.clear();
    SaveUpdate("");
    EXPECT_FALSE(freshness_.CheckFirstRun());  // a settings file exists: no question
    EXPECT_TRUE(asked_.empty());
}

TEST_F(FreshnessTest, YesStartsTheUpdateMinimised) {
    answer_ = true;
    EXPECT_TRUE(freshness_.CheckFirstRun());
    EXPECT_EQ(downloads_, 1);
    EXPECT_TRUE(first_run_update_started_);
    EXPECT_EQ(window_.State(), toolkit::WindowState::Minimised);

    // Old data later in the same run: no question while the first-run update counts.
    SaveUpdate("2011年1月1日");
    asked_.clear();
    EXPECT_FALSE(freshness_.CheckFreshness());
    EXPECT_TRUE(asked_.empty());

    first_run_update_started_ = false;
    window_.SetState(toolkit::WindowState::Normal);
    EXPECT_TRUE(freshness_.CheckFreshness());
    EXPECT_EQ(asked_, std::vector<std::string>{kFreshnessQuestion});
    EXPECT_EQ(downloads_, 2);
    EXPECT_FALSE(first_run_update_started_);
    EXPECT_EQ(window_.State(), toolkit::WindowState::Minimised);
}

}  // namespace
