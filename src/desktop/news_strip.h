#pragma once

#include <string>
#include <vector>

namespace toolkit {
class Canvas;
class Label;
class Shell;
class Timer;
}  // namespace toolkit

// The news strip of the main window: the maker's news titles, one at a time, slide up
// through the strip beside its caption; a press on the title opens its link.
namespace desktop {

// Writes the strip's caption "相关文章：" at (5, 5), then turns the canvas's text colour to red;
// the colour takes effect from the next write on. The strip's ticks and the main window's
// position-changed handler both draw it this way.
void DrawNewsCaption(toolkit::Canvas& canvas);

// The titles and the links of a news page, each in page order, cut out independently of each
// other (so they pair up only where the page is shaped for it). A page without "最近更新" has
// neither. Each scan ends after an item whose closing marker is missing.
std::vector<std::string> ScanNewsTitles(const std::string& page);
std::vector<std::string> ScanNewsLinks(const std::string& page);

// The main window's controls the strip works on.
struct NewsStripControls {
    toolkit::Canvas& 画板1;
    toolkit::Label& 标签11;  // inside 画板1; its caption is the title shown, its top animated
    toolkit::Timer& 消息显示时钟;
    toolkit::Timer& 消息滑动时钟;
    toolkit::Timer& 消息等待时钟;
};

// The shared state's news items.
struct NewsItems {
    const int& interval;  // milliseconds between titles; 0 or less: no rotation
    std::vector<std::string>& titles;
    std::vector<std::string>& links;
    int& index;  // 1-based position of the title shown, 0 before the first one
};

class NewsStrip {
public:
    // `news_page` is the news page's address in byte-list notation.
    NewsStrip(NewsStripControls controls, NewsItems items, std::string news_page,
              toolkit::Shell& shell);

    // Binds the three timers' ticks and the title's left-button press.
    void Bind();

    // Shows the strip, starts the display timer and reads the news page (waiting for it on
    // the window thread). The single title "Ostrel" stays when the page has no news.
    void LoadNews();

    void ShowNextNews();   // display timer: the next title, then sliding in
    void SlideNews();      // slide timer: one pixel up
    void ResumeSliding();  // pause timer: the rest at the top is over
    void OpenNewsLink();   // left press on the title: its link, when it has one

    // Where the title waits between two rotations: just below the 18-pixel canvas.
    static constexpr int kWaitingTop = 20;

private:
    NewsStripControls controls_;
    NewsItems items_;
    std::string news_page_;
    toolkit::Shell& shell_;
};

}  // namespace desktop
