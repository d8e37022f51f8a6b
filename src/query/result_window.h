#pragma once

#include <string>

#include "catalogue/city_record.h"
#include "query/result_page.h"
#include "toolkit/browser_view.h"
#include "toolkit/status_bar.h"
#include "toolkit/window.h"

namespace toolkit {
class EditBox;
class PickList;
}  // namespace toolkit

namespace query {

// What ReverseTransfer swaps on the main window.
struct TransferInputs {
    toolkit::EditBox& start_stop;        // 编辑框1
    toolkit::EditBox& end_stop;          // 编辑框2
    toolkit::PickList& start_category;   // 组合框1
    toolkit::PickList& end_category;     // 组合框3
};

// The window that shows the answers: the page file in its view, status and progress below.
// Every navigation but the one to the page file is answered by fetching the page itself.
class ResultWindow {
public:
    ResultWindow(const TransferInputs& inputs, catalogue::CurrentCity& city, ResultPage& page);

    // Open = loaded and not closed by the user since.
    bool IsOpen() const;
    // Opens it owned by `owner`, not modal; a new window starts untitled.
    void Open(toolkit::Window& owner);

    // Handlers bound to the window's and the view's events.
    void SetUpResultWindow();
    void LayOutResultWindow();
    void ShowStatusText(const std::string& text);
    void ShowLoadProgress(int value);
    void InterceptNavigation(const std::string& address);
    void ReverseTransfer();
    void FollowLink(const std::string& address);

    toolkit::Window window;
    toolkit::BrowserView 互联网浏览器1;
    toolkit::StatusBar 状态条1;

private:
    // The site path (without the leading "/") that a link of the page file stands for.
    std::string SitePathOf(const std::string& address) const;

    TransferInputs inputs_;
    catalogue::CurrentCity& city_;
    ResultPage& page_;
};

}  // namespace query
