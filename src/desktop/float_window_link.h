#pragma once

// The floating window's side of the two menus: the main window's handlers copy the pairs
// they change into the floating window's menu and show or hide the floating window itself.
namespace desktop {

class FloatWindowLink {
public:
    virtual ~FloatWindowLink() = default;
    virtual void CopyMainWindowPair(bool show_item_visible, bool hide_item_visible) = 0;
    virtual void CopyFloatWindowPair(bool show_item_visible, bool hide_item_visible) = 0;
    virtual void SetFloatWindowVisible(bool visible) = 0;
};

}  // namespace desktop
