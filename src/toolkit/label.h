#pragma once

#include <functional>
#include <string>

#include "toolkit/control.h"
#include "toolkit/mouse_events.h"

class QLabel;

namespace toolkit {

// A text label; a transparent one lets what lies beneath it (a canvas) show through.
class Label : public Control {
public:
    Label(QWidget* parent, bool transparent = false);

    std::function<void(const MouseEvent&)> on_mouse;

    std::string Text() const;  // "\r\n" separates lines
    void SetText(const std::string& text);
    int TextColour() const;
    void SetTextColour(int rgb);
    bool Transparent() const { return transparent_; }

private:
    QLabel* label_;
    bool transparent_;
};

}  // namespace toolkit
