#pragma once

#include <functional>
#include <memory>
#include <string>

class QMenu;

namespace toolkit {

// A pop-up menu whose items are shown or hidden, never greyed.
class PopupMenu {
public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // Adds an item at the end and gives its 0-based index.
    int AddItem(const std::string& caption, std::function<void()> handler);
    int ItemCount() const;
    std::string ItemCaption(int item) const;
    bool ItemVisible(int item) const;
    void SetItemVisible(int item, bool visible);

    // Pops the menu up at the mouse; returns at once, the chosen item's handler runs later.
    void PopUpAtMouse();
    bool IsShown() const;
    // Takes a popped-up menu down without choosing anything, as Esc does.
    void Close();
    // Chooses a visible item as the user would (tests use it); hidden items do nothing.
    void Choose(int item);

private:
    std::unique_ptr<QMenu> menu_;
};

}  // namespace toolkit
