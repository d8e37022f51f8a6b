#include "desktop/news_strip.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "net/text_helpers.h"
#include "support/maker_site.h"
#include "support/recording_server.h"
#include "support/widget_test.h"
#include "toolkit/colours.h"
#include "toolkit/shell_open.h"

namespace {

using desktop::NewsStrip;
using testsupport::RunEventsUntil;
using Texts = std::vector<std::string>;

// A news page as the maker's site writes it: the marker, then one anchor per item.
std::string NewsPage(const std::vector<std::pair<std::string, std::string>>& items,
                     const std::string& head = "") {
    std::string page = "<html><head>" + head + "</head><body><h2>最近更新</h2>\r\n";
    for (const auto& [link, title] : items) page += "<a href=\"" + link + "\">" + title + "</a><br>\r\n";
    return page + "</body></html>";
}

const std::vector<std::pair<std::string, std::string>> kThreeItems = {
    {"http://ostrel.localhost/news/1.html", "新线路开通"},
    {"http://ostrel.localhost/news/2.html", "地铁换乘优惠"},
    {"http://ostrel.localhost/news/3.html", "夜班线路调整"},
};

TEST(NewsScans, TitlesAndLinksAsThePageGivesThem) {
    struct Case {
        const char* name;
        std::string page;
        Texts titles;
        Texts links;
    };
    const Case cases[] = {
        {"well-formed items pair up", NewsPage(kThreeItems),
         {"新线路开通", "地铁换乘优惠", "夜班线路调整"},
         {"http://ostrel.localhost/news/1.html", "http://ostrel.localhost/news/2.html",
          "http://ostrel.localhost/news/3.html"}},
        {"an earlier href=\" shifts the links",
         NewsPage({{"http://a/1", "一"}, {"http://a/2", "二"}}, "<link href=\"s.css\" rel=\"x\">"),
         {"一", "二"},
         {"s.css", "http://a/1", "http://a/2"}},
        {"no news marker", "<a href=\"http://a/1\">一</a>", {}, {}},
        {"titles are raw", "最近更新<a href=\"u\"> A &amp; <b>B</b> </a>", {" A &amp; <b>B</b> "}, {"u"}},
        {"title without </a> ends the scan", "最近更新<a href=\"1\">一</a><a href=\"2\">二",
         {"一", ""}, {"1", "2"}},
        {"link without closing quote ends the scan", "最近更新<a href=\"1\">一</a> href=\"2",
         {"一"}, {"1", ""}},
        {"marker without anchors", "最近更新", {""}, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(desktop::ScanNewsTitles(c.page), c.titles);
        EXPECT_EQ(desktop::ScanNewsLinks(c.page), c.links);
    }
}

// The strip on a real main window, its news page on a loopback maker's site, the shell
// recording what it is handed.
class NewsStripTest : public ::testing::Test {
protected:
    NewsStripTest() : w_(nullptr) {
        shell_.opener = [this](const std::string& address) { opened_.push_back(address); };
    }

    NewsStrip& Strip(int interval, const std::string& news_page_bytes) {
        interval_ = interval;
        strip_ = std::make_unique<NewsStrip>(
            desktop::NewsStripControls{w_.画板1, w_.标签11, w_.消息显示时钟, w_.消息滑动时钟,
                                       w_.消息等待时钟},
            desktop::NewsItems{interval_, titles_, links_, index_}, news_page_bytes, shell_);
        strip_->Bind();
        return *strip_;
    }
    // A strip whose news page is `page`, loaded.
    NewsStrip& Loaded(int interval, const std::string& page) {
        site_.SetNewsPage(page);
        NewsStrip& strip = Strip(interval, site_.Addresses().news_page);
        strip.LoadNews();
        return strip;
    }
    void PressTitle(Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(w_.标签11.widget(), button, {}, QPoint(5, 5));
    }

    struct Timers {
        int display, slide, pause;
        bool operator==(const Timers&) const = default;
    };
    Timers Periods() {
        return {w_.消息显示时钟.Period(), w_.消息滑动时钟.Period(), w_.消息等待时钟.Period()};
    }

    app::MainWindow w_;
    testsupport::MakerSite site_;
    toolkit::Shell shell_;
    int interval_ = 0;
    Texts titles_;
    Texts links_;
    int index_ = 0;
    Texts opened_;
    std::unique_ptr<NewsStrip> strip_;
};

TEST_F(NewsStripTest, LoadNewsReadsThePageAndStartsTheDisplayTimer) {
    Loaded(5000, NewsPage(kThreeItems));
    EXPECT_EQ(titles_, (Texts{"新线路开通", "地铁换乘优惠", "夜班线路调整"}));
    EXPECT_EQ(links_.size(), 3u);
    EXPECT_EQ(index_, 0);
    EXPECT_TRUE(w_.画板1.Visible());
    EXPECT_EQ(Periods(), (Timers{5000, 0, 0}));
    EXPECT_TRUE(w_.消息显示时钟.Running());
    EXPECT_EQ(w_.标签11.Text(), "广告标签");  // until the first tick
    ASSERT_EQ(site_.server().Requests().size(), 1u);
    EXPECT_EQ(site_.server().Requests()[0].method, "GET");
    EXPECT_EQ(site_.server().Requests()[0].target, "/news.html");
}

TEST_F(NewsStripTest, WithoutNewsTheSingleTitleOstrelRotatesAndPressesDoNothing) {
    testsupport::RawServer closes_at_once(testsupport::RawReply{});
    const std::string unreachable = net::ConvertByteList(closes_at_once.Url("/news.html"));
    for (const std::string& page : {std::string(""), std::string("<a href=\"http://a/\">x</a>")}) {
        SCOPED_TRACE(page);
        site_.SetNewsPage(page);
        Strip(5000, site_.Addresses().news_page).LoadNews();
        EXPECT_EQ(titles_, Texts{"Ostrel"});
        EXPECT_TRUE(links_.empty());
    }
    index_ = 0;
    Strip(5000, unreachable).LoadNews();
    EXPECT_EQ(titles_, Texts{"Ostrel"});
    strip_->ShowNextNews();
    EXPECT_EQ(w_.标签11.Text(), "Ostrel");
    strip_->ShowNextNews();
    EXPECT_EQ(index_, 1);
    PressTitle();
    EXPECT_TRUE(opened_.empty());
}

TEST_F(NewsStripTest, RotationDrawsTheCaptionAndWrapsToTheFirstTitle) {
    NewsStrip& strip = Loaded(5000, NewsPage(kThreeItems));
    const Texts shown = {"新线路开通", "地铁换乘优惠", "夜班线路调整", "新线路开通"};
    for (std::size_t tick = 0; tick < shown.size(); ++tick) {
        strip.ShowNextNews();
        EXPECT_EQ(w_.标签11.Text(), shown[tick]);
        EXPECT_EQ(index_, tick == 3 ? 1 : static_cast<int>(tick) + 1);
        EXPECT_EQ(Periods(), (Timers{5000, 100, 0}));
    }
    const auto drawn = w_.画板1.DrawnTexts();
    ASSERT_EQ(drawn.size(), 4u);
    for (const auto& caption : drawn) {
        EXPECT_EQ(caption.text, "相关文章：");
        EXPECT_EQ(caption.x, 5);
        EXPECT_EQ(caption.y, 5);
        EXPECT_EQ(caption.colour, toolkit::kRed);  // the first one too
    }
}

TEST_F(NewsStripTest, TitleSlidesInRestsSlidesOutAndWaitsBelowTheStrip) {
    NewsStrip& strip = Loaded(5000, NewsPage(kThreeItems));
    const Timers sliding{0, 100, 0};
    const Timers resting{0, 0, 3000};
    const Timers waiting{5000, 0, 0};
    // One step of the slide timer, the top and timers it leaves.
    auto slide = [&](int top, const Timers& timers) {
        strip.SlideNews();
        ASSERT_EQ(w_.标签11.Top(), top);
        ASSERT_EQ(Periods(), timers) << "at top " << top;
    };
    auto cycle = [&](int first_top) {
        strip.ShowNextNews();
        for (int top = first_top - 1; top > 0; --top) slide(top, sliding);
        slide(0, resting);
        strip.ResumeSliding();
        EXPECT_EQ(Periods(), (Timers{0, 100, 0}));
        for (int top = -1; top >= -14; --top) slide(top, sliding);
        slide(NewsStrip::kWaitingTop, waiting);
    };
    ASSERT_EQ(w_.标签11.Top(), 1);  // the first cycle starts from the form position
    cycle(1);
    cycle(20);
    EXPECT_EQ(index_, 2);
    EXPECT_EQ(w_.标签11.Left(), 80);
}

TEST_F(NewsStripTest, PressOpensTheLinkOfTheTitleShown) {
    NewsStrip& strip = Loaded(5000, NewsPage(kThreeItems));
    PressTitle();  // before the first title
    EXPECT_TRUE(opened_.empty());
    strip.ShowNextNews();
    strip.ShowNextNews();
    strip.SlideNews();  // while it slides
    PressTitle(Qt::RightButton);
    EXPECT_TRUE(opened_.empty());
    PressTitle();
    EXPECT_EQ(opened_, Texts{"http://ostrel.localhost/news/2.html"});
}

TEST_F(NewsStripTest, AnEarlierHrefMakesEachPressOpenTheLinkOnePlaceEarlier) {
    NewsStrip& strip =
        Loaded(5000, NewsPage({{"http://a/1", "一"}, {"http://a/2", "二"}},
                              "<link href=\"http://a/style.css\" rel=\"stylesheet\">"));
    for (int tick = 0; tick < 2; ++tick) {
        strip.ShowNextNews();
        PressTitle();
    }
    EXPECT_EQ(opened_, (Texts{"http://a/style.css", "http://a/1"}));
}

TEST_F(NewsStripTest, OnlyWebLinksAreHandedToTheShell) {
    NewsStrip& strip = Loaded(5000, NewsPage({{"file:///etc/passwd", "1"},
                                              {"/usr/bin/xterm", "2"},
                                              {"javascript:alert(1)", "3"},
                                              {"HTTPS://ostrel.localhost/a", "4"},
                                              {"", "5"}}));
    for (int tick = 0; tick < 5; ++tick) {
        strip.ShowNextNews();
        PressTitle();
    }
    EXPECT_EQ(opened_, Texts{"HTTPS://ostrel.localhost/a"});
}

TEST_F(NewsStripTest, NoIntervalMeansNoRotation) {
    Loaded(0, NewsPage(kThreeItems));
    EXPECT_FALSE(w_.消息显示时钟.Running());
    EXPECT_EQ(w_.标签11.Text(), "广告标签");
    EXPECT_TRUE(w_.画板1.DrawnTexts().empty());
    PressTitle();
    EXPECT_TRUE(opened_.empty());
}

TEST_F(NewsStripTest, TheTimersDriveTheStrip) {
    Loaded(1000, NewsPage(kThreeItems));  // the shortest interval a page can give
    // Display tick, then one slide tick from the form position: the title rests at the top.
    EXPECT_TRUE(RunEventsUntil([&] { return w_.消息等待时钟.Running(); }));
    EXPECT_EQ(w_.标签11.Text(), "新线路开通");
    EXPECT_EQ(w_.标签11.Top(), 0);
    EXPECT_FALSE(w_.消息显示时钟.Running());
    EXPECT_FALSE(w_.消息滑动时钟.Running());
}

}  // namespace
