#pragma once

#include <functional>
#include <string>

#include "toolkit/control.h"

class QPushButton;

namespace toolkit {

class Button : public Control {
public:
    explicit Button(QWidget* parent);

    std::function<void()> on_click;

    std::string Text() const;
    void SetText(const std::string& text);
    // Presses the button as a user would: nothing happens while it is disabled.
    void Click();

private:
    QPushButton* button_;
};

}  // namespace toolkit
