#pragma once

#include <functional>
#include <string>

#include "desktop/float_window_link.h"
#include "desktop/menu_items.h"
#include "query/input_hints.h"
#include "toolkit/button.h"
#include "toolkit/canvas.h"
#include "toolkit/edit_box.h"
#include "toolkit/label.h"
#include "toolkit/pick_list.h"
#include "toolkit/popup_menu.h"
#include "toolkit/status_bar.h"
#include "toolkit/tab_control.h"
#include "toolkit/timer.h"
#include "toolkit/window.h"

class QWidget;

namespace app {

using desktop::FloatWindowLink;
using desktop::MenuItem;
using desktop::kShowMainWindowItem;
using desktop::kHideMainWindowItem;
using desktop::kTransferPageItem;
using desktop::kLinePageItem;
using desktop::kStationPageItem;
using desktop::kShowFloatWindowItem;
using desktop::kHideFloatWindowItem;
using desktop::kAboutItem;
using desktop::kExitItem;
using desktop::TabPage;
using desktop::kTransferPage;
using desktop::kLinePage;
using desktop::kStationPage;
using desktop::kAboutPage;

using query::kEndStopHint;
using query::kLineHint;
using query::kStartStopHint;
using query::kStopHint;

// The program's working window: its layout, its command menu and the handlers of both.
// Behaviour of the controls lives in the pieces that are bound to them.
class MainWindow {
public:
    // `end_program` ends the program with exit code 0 (menu item 9, the window's end).
    explicit MainWindow(std::function<void()> end_program);

    // Created event; set before Load, it runs while the window is being created.
    void Load(std::function<void()> prepare);

    void SetFloatWindow(FloatWindowLink* float_window) { float_window_ = float_window; }

    // Menu handlers.
    void ShowMainWindow();
    void HideMainWindow();
    void OpenTabPage(int page);
    void ShowFloatWindow();
    void HideFloatWindow();

    // Window event handlers.
    bool HideOnClose();
    void HideWhenMinimised();
    void DropTopmostOnFocus();
    void EndOnDestroy();

    toolkit::Window window;

    toolkit::Label 标签10;
    toolkit::PickList 组合框_省;
    toolkit::PickList 组合框_市;
    toolkit::Button 设置城市;
    toolkit::Button 更新;
    toolkit::PickList 组合框9;
    toolkit::PickList 组合框10;
    toolkit::Canvas 画板1;
    toolkit::Label 标签11;
    toolkit::TabControl 高级选择夹1;

private:
    // The pages of 高级选择夹1, made before the controls placed on them.
    QWidget* transfer_page_;
    QWidget* line_page_;
    QWidget* station_page_;
    QWidget* about_page_;

public:
    toolkit::StatusBar 状态条1;
    toolkit::Timer 消息显示时钟;
    toolkit::Timer 消息滑动时钟;
    toolkit::Timer 消息等待时钟;

    // Page 0: transfer.
    toolkit::Label 标签1;
    toolkit::EditBox 编辑框1;
    toolkit::Label 标签2;
    toolkit::PickList 组合框1;
    toolkit::PickList 组合框2;
    toolkit::Label 标签3;
    toolkit::EditBox 编辑框2;
    toolkit::Label 标签4;
    toolkit::PickList 组合框3;
    toolkit::PickList 组合框4;
    toolkit::Button 换乘查询;
    // Page 1: line.
    toolkit::Label 标签5;
    toolkit::EditBox 编辑框3;
    toolkit::Label 标签6;
    toolkit::PickList 组合框5;
    toolkit::PickList 组合框6;
    toolkit::Button 线路查询;
    // Page 2: station.
    toolkit::Label 标签7;
    toolkit::EditBox 编辑框4;
    toolkit::Label 标签8;
    toolkit::PickList 组合框7;
    toolkit::PickList 组合框8;
    toolkit::Button 站点查询;
    // Page 3: about.
    toolkit::EditBox 关于;

    toolkit::PopupMenu 菜单;

private:
    void SetMainWindowPair(bool show_item_visible, bool hide_item_visible);
    void SetFloatWindowPair(bool show_item_visible, bool hide_item_visible);

    std::function<void()> end_program_;
    FloatWindowLink* float_window_ = nullptr;
};

// The about page's text: 19 lines joined by "\r\n".
std::string AboutText();

}  // namespace app
