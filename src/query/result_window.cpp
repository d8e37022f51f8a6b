#include "query/result_window.h"

#include <cstdio>

#include "net/fetch_page.h"
#include "net/remote_sites.h"
#include "net/text_helpers.h"
#include "net/text_search.h"
#include "query/query_pages.h"
#include "toolkit/edit_box.h"
#include "toolkit/pick_list.h"

namespace query {
namespace {

toolkit::WindowStyle ResultWindowStyle() {
    toolkit::WindowStyle style;
    style.esc_requests_close = true;
    return style;
}

CityHost HostOf(const catalogue::CurrentCity& city) {
    const catalogue::CityRecord record = city.Snapshot();
    return CityHost{record.city, record.domain};
}

std::string ProgressText(int value) {
    char number[64];
    std::snprintf(number, sizeof number, "%.13g", value / 100.0);
    return std::string("完成进度：") + number + "%";
}

}  // namespace

ResultWindow::ResultWindow(const TransferInputs& inputs, catalogue::CurrentCity& city,
                           ResultPage& page)
    : window(ResultWindowStyle()),
      互联网浏览器1(window.widget()),
      状态条1(window.widget()),
      inputs_(inputs),
      city_(city),
      page_(page) {
    互联网浏览器1.SetGeometry(0, 0, 792, 553);
    window.on_created = [this] { SetUpResultWindow(); };
    window.on_resized = [this] { LayOutResultWindow(); };
    互联网浏览器1.on_before_navigate = [this](const std::string& address) {
        InterceptNavigation(address);
        return true;  // never cancelled: the page file is what the view shows in the end
    };
    互联网浏览器1.on_progress = [this](int value, int) { ShowLoadProgress(value); };
    互联网浏览器1.on_status_text = [this](const std::string& text) { ShowStatusText(text); };
}

bool ResultWindow::IsOpen() const { return window.Loaded(); }

void ResultWindow::Open(toolkit::Window& owner) {
    window.SetCaption("");
    window.Load(&owner);
}

void ResultWindow::SetUpResultWindow() {
    window.SetGeometry(window.Left(), window.Top(), 800, 600);
    window.SetState(toolkit::WindowState::Centred);
    // Panes are made once; a window opened again keeps its two.
    if (状态条1.PaneCount() == 0) {
        状态条1.AddPane("完成", window.Width() / 2);
        状态条1.AddPane("完成进度：100%", window.Width());
    } else {
        状态条1.SetPaneText(0, "完成");
        状态条1.SetPaneText(1, "完成进度：100%");
        状态条1.SetPaneWidth(0, window.Width() / 2);
        状态条1.SetPaneWidth(1, window.Width());
    }
}

void ResultWindow::LayOutResultWindow() {
    互联网浏览器1.SetGeometry(0, 0, window.Width() - 8, 状态条1.Top());
    状态条1.SetPaneWidth(0, window.Width() / 2);
    状态条1.SetPaneWidth(1, window.Width() / 2);
}

void ResultWindow::ShowStatusText(const std::string& text) { 状态条1.SetPaneText(0, text); }

void ResultWindow::ShowLoadProgress(int value) { 状态条1.SetPaneText(1, ProgressText(value)); }

void ResultWindow::InterceptNavigation(const std::string& address) {
    if (net::FindText(address, "tmp.html") != net::npos) return;
    if (net::FindText(address, "so.php") != net::npos) {
        ReverseTransfer();
    } else {
        FollowLink(address);
    }
}

void ResultWindow::ReverseTransfer() {
    const std::string start = inputs_.start_stop.Text();
    inputs_.start_stop.SetText(inputs_.end_stop.Text());
    inputs_.end_stop.SetText(start);
    const int start_category = inputs_.start_category.CurrentIndex();
    inputs_.start_category.SetCurrentIndex(inputs_.end_category.CurrentIndex());
    inputs_.end_category.SetCurrentIndex(start_category);

    const CityHost host = HostOf(city_);
    const std::string address = "http://" + host.city + host.domain + "/so.php?k=p2p&q1=" +
                                inputs_.end_stop.Text() + "&q=" + inputs_.start_stop.Text();
    page_.Show(TransferFragment(net::FetchPage(address)));
}

std::string ResultWindow::SitePathOf(const std::string& address) const {
    // The view reports links as addresses resolved against the page file ("file:///x_1.html"
    // for the site's root-relative "/x_1.html"): the site path is what follows the scheme's
    // "file:///", or the address less its first three characters in any other form.
    const std::string file_scheme = "file:///";
    if (address.rfind(file_scheme, 0) == 0) return address.substr(file_scheme.size());
    return address.size() > 3 ? address.substr(3) : std::string();
}

void ResultWindow::FollowLink(const std::string& address) {
    const CityHost host = HostOf(city_);
    const std::string page =
        net::FetchPage("http://" + host.city + host.domain + "/" + SitePathOf(address));
    std::string fragment = net::CutBetween(page, "<div class=\"left\">", "<div id=\"ftad\"");
    fragment = net::RemoveBlocks(fragment, "<script>", "</script>");
    fragment = net::RemoveBlocks(fragment, net::ConvertByteList(net::kRemovedLinkMarker), "</a>");
    page_.Show(fragment);
}

}  // namespace query
