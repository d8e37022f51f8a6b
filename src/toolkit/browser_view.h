#pragma once

#include <functional>
#include <string>

#include "toolkit/control.h"

class QTextBrowser;
class QUrl;

namespace toolkit {

// Shows local page files. It runs no script and loads nothing itself: images, style sheets
// and frames a page names stay out, and a followed link only raises before-navigate.
class BrowserView : public Control {
public:
    explicit BrowserView(QWidget* parent);

    // Every navigation asks first: the page file itself (its plain path) and every link the
    // user follows (its address resolved against the page, e.g. "file:///x_1.html").
    // Return false to cancel.
    std::function<bool(const std::string& address)> on_before_navigate;
    // Loading progress as value and maximum (0 of 10000 when a page starts, 10000 when shown).
    std::function<void(int value, int maximum)> on_progress;
    // The address of the link under the mouse; empty when the mouse leaves it.
    std::function<void(const std::string& text)> on_status_text;

    // Shows the GBK page file at `path` unless before-navigate cancels it.
    void Navigate(const std::string& path);
    // Follows a link of the page as a click would (tests use it).
    void FollowLink(const std::string& href);

    // The page as shown, as plain text (GBK); the path last navigated to.
    std::string PlainText() const;
    std::string CurrentPath() const;

private:
    QUrl PageUrl() const;  // links resolve against the page file

    QTextBrowser* view_;
    std::string current_path_;
    bool link_reported_ = false;  // the last status text was a link's address
};

}  // namespace toolkit
