#include "app/main_window.h"

#include "app/version.h"
#include "desktop/news_strip.h"
#include "net/remote_sites.h"
#include "net/text_helpers.h"
#include "toolkit/colours.h"

namespace app {
namespace {

constexpr int kWidth = 401;
constexpr int kHeight = 422;

toolkit::WindowStyle MainWindowStyle() {
    toolkit::WindowStyle style;
    style.resizable = false;
    style.maximise_button = false;
    style.enter_moves_focus = true;
    style.esc_requests_close = true;
    return style;
}

template <typename Control>
void Place(Control& control, int left, int top, int width, int height) {
    control.SetGeometry(left, top, width, height);
}

void PlaceHint(toolkit::EditBox& box, int left, int top, const char* hint) {
    box.SetGeometry(left, top, 184, 20);
    box.SetText(hint);
    box.SetTextColour(toolkit::kGrey);
}

void PlaceCaption(toolkit::Label& label, int left, int top, const char* text) {
    label.SetGeometry(left, top, 64, 24);
    label.SetText(text);
}

std::string Blanks(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

}  // namespace

std::string AboutText() {
    const std::string lines[] = {
        "",
        "",
        "",
        Blanks(12) + "本软件的查询功能取自公交信息网站，请勿用于任何非法用途！",
        "",
        Blanks(18) + "出现法律后果与作者无关！",
        "",
        "",
        "",
        "",
        Blanks(5) + "预计更新：国庆节后将增加地铁与公交线路的合并查询方式",
        "",
        "",
        "",
        Blanks(41) + "版本：" + kProgramVersion,
        std::string(62, '='),
        "",
        Blanks(43) + "Ostrel!",
        Blanks(32) + net::ConvertByteList(net::MakerHomeAddress()),
    };
    std::string text;
    for (const std::string& line : lines) {
        if (&line != &lines[0]) text += "\r\n";
        text += line;
    }
    return text;
}

MainWindow::MainWindow(std::function<void()> end_program)
    : window(MainWindowStyle()),
      标签10(window.widget()),
      组合框_省(window.widget()),
      组合框_市(window.widget()),
      设置城市(window.widget()),
      更新(window.widget()),
      组合框9(window.widget()),
      组合框10(window.widget()),
      画板1(window.widget()),
      标签11(画板1.widget(), true),
      高级选择夹1(window.widget()),
      transfer_page_(高级选择夹1.AddPage("站点换乘")),
      line_page_(高级选择夹1.AddPage("公交线路")),
      station_page_(高级选择夹1.AddPage("公交站点")),
      about_page_(高级选择夹1.AddPage("关于")),
      状态条1(window.widget()),
      标签1(transfer_page_),
      编辑框1(transfer_page_),
      标签2(transfer_page_),
      组合框1(transfer_page_),
      组合框2(transfer_page_),
      标签3(transfer_page_),
      编辑框2(transfer_page_),
      标签4(transfer_page_),
      组合框3(transfer_page_),
      组合框4(transfer_page_),
      换乘查询(transfer_page_),
      标签5(line_page_),
      编辑框3(line_page_),
      标签6(line_page_),
      组合框5(line_page_),
      组合框6(line_page_),
      线路查询(line_page_),
      标签7(station_page_),
      编辑框4(station_page_),
      标签8(station_page_),
      组合框7(station_page_),
      组合框8(station_page_),
      站点查询(station_page_),
      关于(about_page_, true),
      end_program_(std::move(end_program)) {
    window.SetCaption("Kelvane － Tarnbay － 国庆版");
    window.SetGeometry(0, 0, kWidth, kHeight);
    window.SetIcon(":/tarnbay/tarnbay.png");

    Place(标签10, 9, 21, 63, 67);
    标签10.SetText("省名称：\r\n\r\n\r\n市名称：");
    Place(组合框_省, 57, 17, 152, 20);
    Place(组合框_市, 57, 54, 152, 20);
    Place(设置城市, 224, 26, 72, 30);
    设置城市.SetText("设置城市");
    Place(更新, 317, 26, 72, 30);
    更新.SetText("更新");
    // Working lists of the catalogue update, beyond the window's right edge.
    Place(组合框9, 440, 16, 160, 20);
    Place(组合框10, 440, 48, 160, 20);
    Place(画板1, 8, 76, 374, 18);
    画板1.SetVisible(false);
    画板1.SetTextColour(toolkit::kRed);  // the strip's caption is red from its first drawing on
    Place(标签11, 80, 1, 288, 22);
    标签11.SetText("广告标签");
    Place(高级选择夹1, 5, 96, 384, 274);

    PlaceCaption(标签1, 22, 55, "起点名称：");
    PlaceHint(编辑框1, 80, 55, kStartStopHint);
    PlaceCaption(标签2, 22, 94, "选择输入：");
    Place(组合框1, 80, 96, 99, 20);
    Place(组合框2, 192, 96, 160, 20);
    PlaceCaption(标签3, 24, 136, "终点名称：");
    PlaceHint(编辑框2, 80, 136, kEndStopHint);
    PlaceCaption(标签4, 22, 176, "选择输入：");
    Place(组合框3, 80, 176, 99, 20);
    Place(组合框4, 192, 176, 160, 20);
    Place(换乘查询, 64, 224, 264, 32);
    换乘查询.SetText("换乘查询");

    PlaceCaption(标签5, 22, 55, "线路名称：");
    PlaceHint(编辑框3, 80, 55, kLineHint);
    PlaceCaption(标签6, 22, 94, "选择输入：");
    Place(组合框5, 80, 96, 99, 20);
    Place(组合框6, 192, 96, 160, 20);
    Place(线路查询, 60, 157, 264, 32);
    线路查询.SetText("线路查询");

    PlaceCaption(标签7, 22, 55, "站点名称：");
    PlaceHint(编辑框4, 80, 55, kStopHint);
    PlaceCaption(标签8, 22, 94, "选择输入：");
    Place(组合框7, 80, 96, 99, 20);
    Place(组合框8, 192, 96, 160, 20);
    Place(站点查询, 60, 157, 264, 32);
    站点查询.SetText("站点查询");

    Place(关于, 5, 34, 377, 238);
    关于.SetText(AboutText());
    关于.SetEnabled(false);

    菜单.AddItem("显示主窗口(&S)", [this] { ShowMainWindow(); });
    菜单.AddItem("隐藏主窗口(&S)", [this] { HideMainWindow(); });
    菜单.AddItem("站点换乘查询", [this] { OpenTabPage(kTransferPage); });
    菜单.AddItem("公交线路查询", [this] { OpenTabPage(kLinePage); });
    菜单.AddItem("公交站点查询", [this] { OpenTabPage(kStationPage); });
    菜单.AddItem("显示悬浮窗", [this] { ShowFloatWindow(); });
    菜单.AddItem("隐藏悬浮窗", [this] { HideFloatWindow(); });
    菜单.AddItem("关于(&A)", [this] { OpenTabPage(kAboutPage); });
    菜单.AddItem("退出(&E)", [this] {
        if (end_program_) end_program_();
    });
    菜单.SetItemVisible(kShowFloatWindowItem, false);

    window.on_close_request = [this] { return HideOnClose(); };
    window.on_moved = [this] { HideWhenMinimised(); };
    window.on_focus = [this] { DropTopmostOnFocus(); };
    window.on_destroyed = [this] { EndOnDestroy(); };
}

void MainWindow::Load(std::function<void()> prepare) {
    window.on_created = std::move(prepare);
    window.SetState(toolkit::WindowState::Centred);  // taken up when the window first shows
    window.Load();
}

void MainWindow::SetMainWindowPair(bool show_item_visible, bool hide_item_visible) {
    菜单.SetItemVisible(kShowMainWindowItem, show_item_visible);
    菜单.SetItemVisible(kHideMainWindowItem, hide_item_visible);
    if (float_window_) float_window_->CopyMainWindowPair(show_item_visible, hide_item_visible);
}

void MainWindow::SetFloatWindowPair(bool show_item_visible, bool hide_item_visible) {
    菜单.SetItemVisible(kShowFloatWindowItem, show_item_visible);
    菜单.SetItemVisible(kHideFloatWindowItem, hide_item_visible);
    if (float_window_) float_window_->CopyFloatWindowPair(show_item_visible, hide_item_visible);
}

void MainWindow::ShowMainWindow() {
    SetMainWindowPair(false, true);
    window.SetVisible(true);
    window.SetState(toolkit::WindowState::Centred);
}

void MainWindow::HideMainWindow() {
    SetMainWindowPair(true, false);
    window.SetState(toolkit::WindowState::Minimised);
    window.SetVisible(false);
}

void MainWindow::OpenTabPage(int page) {
    ShowMainWindow();
    window.Focus();
    高级选择夹1.SetCurrentPage(page);
}

void MainWindow::ShowFloatWindow() {
    SetFloatWindowPair(false, true);
    if (float_window_) float_window_->SetFloatWindowVisible(true);
}

void MainWindow::HideFloatWindow() {
    SetFloatWindowPair(true, false);
    if (float_window_) float_window_->SetFloatWindowVisible(false);
}

bool MainWindow::HideOnClose() {
    window.SetState(toolkit::WindowState::Minimised);
    return false;
}

void MainWindow::HideWhenMinimised() {
    desktop::DrawNewsCaption(画板1);
    if (window.State() == toolkit::WindowState::Minimised) window.SetVisible(false);
}

void MainWindow::DropTopmostOnFocus() {
    if (window.AlwaysOnTop()) window.SetAlwaysOnTop(false);
}

void MainWindow::EndOnDestroy() {
    if (end_program_) end_program_();
}

}  // namespace app
