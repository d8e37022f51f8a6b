#pragma once

#include <string>
#include <vector>

#include "toolkit/control.h"

class QTabBar;

namespace toolkit {

// Pages with captions; disabling the control disables every control on its pages.
// Each page covers the whole control under its tab bar, so controls are placed on a page in
// the tab control's own coordinates.
class TabControl : public Control {
public:
    explicit TabControl(QWidget* parent);

    // Adds a page and gives the widget to place its controls on.
    QWidget* AddPage(const std::string& caption);
    int PageCount() const;
    std::string PageCaption(int page) const;
    int CurrentPage() const;
    void SetCurrentPage(int page);

private:
    void ShowOnly(int page);

    QTabBar* bar_;
    std::vector<QWidget*> pages_;
};

}  // namespace toolkit
