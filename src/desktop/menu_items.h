#pragma once

// The two command menus (the main window's and the floating window's) have the same nine
// items in the same order; only the caption of the hide-main-window item differs.
namespace desktop {

enum MenuItem {
    kShowMainWindowItem = 0,
    kHideMainWindowItem,
    kTransferPageItem,
    kLinePageItem,
    kStationPageItem,
    kShowFloatWindowItem,
    kHideFloatWindowItem,
    kAboutItem,
    kExitItem,
};

// Tab pages of the main window's tab control.
enum TabPage { kTransferPage = 0, kLinePage = 1, kStationPage = 2, kAboutPage = 3 };

}  // namespace desktop
