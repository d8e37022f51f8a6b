#include "app/remote_config.h"

#include <gtest/gtest.h>

#include <climits>

#include "app/program.h"
#include "net/text_helpers.h"
#include "support/maker_site.h"
#include "support/recording_server.h"
#include "support/temp_dir.h"
#include "support/widget_test.h"
#include "toolkit/message_box.h"
#include "toolkit/shell_open.h"

namespace {

using testsupport::MakerSite;

// The question and the shell as the check meets them, answering and recording.
struct Desktop {
    Desktop() {
        message_box.answerer = [this](const std::string& title, const std::string& text) {
            questions.push_back(title + "|" + text);
            return answer;
        };
        shell.opener = [this](const std::string& address) { opened.push_back(address); };
    }
    toolkit::MessageBox message_box;
    toolkit::Shell shell;
    bool answer = false;
    std::vector<std::string> questions;
    std::vector<std::string> opened;
};

constexpr const char* kOffer = "信息：|新版程序已发布，是否立即更新？";

class RemoteConfigTest : public ::testing::Test {
protected:
    // Runs the check against `page` served as the configuration page.
    void Check(const std::string& page) {
        site_.SetConfigPage(page);
        CheckAt(site_.Addresses().config_page);
    }
    // `config_page` in byte-list notation, as the program keeps it.
    void CheckAt(const std::string& config_page) {
        app::CheckRemoteConfig({config_page, site_.Addresses().download_page, interval_,
                                desktop_.message_box, desktop_.shell, [this] { ++ends_; }});
    }

    MakerSite site_;
    Desktop desktop_;
    int interval_ = -7;  // anything but the outcome
    int ends_ = 0;
};

TEST_F(RemoteConfigTest, PagesGiveTheIntervalAndOfferOnlyForAnotherVersion) {
    struct Case {
        const char* name;
        std::string page;
        int interval;
        bool offer;
    };
    const Case cases[] = {
        {"present version", "A:visitim { time: 30 }\r\nA:visited { color: 1.4.22 }\r\n", 30000, false},
        {"either order, anywhere", "x{}A:visited { color: 1.4.22 }A:visitim { time: 5 } y", 5000, false},
        {"zero", "A:visitim { time: 0 }", 0, false},
        {"no markers", "body { color: red }", 0, false},
        {"empty answer", "", 0, false},
        {"full-width digits", "A:visitim { time: ３０ }", 30000, false},
        {"not a number", "A:visitim { time: soon }", 0, false},
        {"no end marker", "A:visitim { time: 30", 0, false},
        {"marker in another case", "a:visitim { time: 30 }", 0, false},
        {"negative", "A:visitim { time: -5 }", -5000, false},
        {"largest that fits", "A:visitim { time: 2147483 }", 2147483000, false},
        {"beyond an int", "A:visitim { time: 2147484 }", INT_MAX, false},
        {"beyond 64 bits", "A:visitim { time: 99999999999999999999 }", INT_MAX, false},
        {"below an int", "A:visitim { time: -2147484 }", INT_MIN, false},
        {"empty version", "A:visited { color:  }", 0, false},
        {"newer version", "A:visitim { time: 30 }A:visited { color: 2.0 }", 30000, true},
        {"older version", "A:visited { color: 1.4.21 }", 0, true},
        {"extra blank", "A:visited { color:  1.4.22 }", 0, true},
        {"longer version", "A:visited { color: 1.4.22.1 }", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desktop_.questions.clear();
        Check(c.page);
        EXPECT_EQ(interval_, c.interval);
        EXPECT_EQ(desktop_.questions, c.offer ? std::vector<std::string>{kOffer}
                                              : std::vector<std::string>{});
    }
    // No was the answer each time: nothing opened, nothing ended.
    EXPECT_TRUE(desktop_.opened.empty());
    EXPECT_EQ(ends_, 0);
    // Each check is one plain GET of the configuration page.
    for (const testsupport::RecordedRequest& request : site_.server().Requests()) {
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.target, "/config.css");
    }
}

TEST_F(RemoteConfigTest, UnreachablePageLeavesNoIntervalAndMakesNoOffer) {
    testsupport::RawServer closes_at_once(testsupport::RawReply{});  // not a byte back
    CheckAt(net::ConvertByteList(closes_at_once.Url("/config.css")));
    EXPECT_EQ(interval_, 0);
    EXPECT_TRUE(desktop_.questions.empty());
}

TEST_F(RemoteConfigTest, YesOpensTheDownloadPageAndEndsTheProgram) {
    desktop_.answer = true;
    Check("A:visitim { time: 12 }A:visited { color: 2.0 }");
    EXPECT_EQ(interval_, 12000);
    EXPECT_EQ(desktop_.opened, std::vector<std::string>{site_.Url("/download.html")});
    EXPECT_EQ(ends_, 1);
    // Opened, never fetched.
    EXPECT_EQ(site_.Targets(), std::vector<std::string>{"/config.css"});
}

TEST(RemoteConfigStartUp, NoLetsStartUpGoOnWithTheInterval) {
    testsupport::TempDir dir;
    MakerSite site;
    site.SetConfigPage("A:visitim { time: 30 }\r\nA:visited { color: 2.0 }\r\n");
    dir.Write("tmp.ini", "[Config]\r\nUpdate=2011年3月10日8时\r\n");  // fresh data: no other question
    app::ProgramSetup setup;
    setup.program_directory = dir.gbk();
    setup.addresses = site.Addresses();
    setup.clock = [] { return catalogue::DateTime{2011, 3, 10, 12, 0, 0}; };
    app::Program program(testsupport::App(), setup);
    int questions = 0;
    program.message_box().answerer = [&](const std::string&, const std::string&) {
        ++questions;
        return false;
    };
    program.Start();
    EXPECT_EQ(questions, 1);
    EXPECT_FALSE(testsupport::App().Ending());
    EXPECT_EQ(program.state().news_interval, 30000);
    // The later steps ran, the news strip last, with the interval the page gave.
    EXPECT_EQ(program.main_window().状态条1.PaneCount(), 2);
    EXPECT_TRUE(program.main_window().画板1.Visible());
    EXPECT_EQ(program.main_window().消息显示时钟.Period(), 30000);
    EXPECT_EQ(site.Targets(), (std::vector<std::string>{"/config.css", "/news.html"}));
}

}  // namespace
