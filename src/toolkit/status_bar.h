#pragma once

#include <string>
#include <vector>

#include "toolkit/control.h"

class QLabel;

namespace toolkit {

// A bar along the bottom edge of its window, the window's width and 20 pixels high, with
// panes of given widths from the left.
class StatusBar : public Control {
public:
    explicit StatusBar(QWidget* window_client);

    void AddPane(const std::string& text, int width);
    int PaneCount() const;
    std::string PaneText(int pane) const;
    void SetPaneText(int pane, const std::string& text);  // no such pane: nothing happens
    int PaneWidth(int pane) const;
    void SetPaneWidth(int pane, int width);

private:
    void LayOutPanes();

    std::vector<QLabel*> panes_;
    std::vector<int> widths_;
};

}  // namespace toolkit
