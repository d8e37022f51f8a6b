#include "toolkit/control.h"

#include <QWidget>

#include "toolkit/window_thread.h"

namespace toolkit {

Control::Control(QWidget* widget) : widget_(widget) {
    // Controls are visible unless made invisible, also when placed on a window already shown.
    if (widget_ && widget_->parentWidget()) widget_->show();
}

Control::~Control() = default;

int Control::Left() const {
    return CallOnWindowThread([&] { return widget_ ? widget_->x() : 0; });
}
int Control::Top() const {
    return CallOnWindowThread([&] { return widget_ ? widget_->y() : 0; });
}
int Control::Width() const {
    return CallOnWindowThread([&] { return widget_ ? widget_->width() : 0; });
}
int Control::Height() const {
    return CallOnWindowThread([&] { return widget_ ? widget_->height() : 0; });
}

void Control::SetGeometry(int left, int top, int width, int height) {
    RunOnWindowThread([&] {
        if (widget_) widget_->setGeometry(left, top, width, height);
    });
}

bool Control::Visible() const {
    return CallOnWindowThread([&] { return widget_ && !widget_->isHidden(); });
}

void Control::SetVisible(bool visible) {
    RunOnWindowThread([&] {
        if (widget_) widget_->setVisible(visible);
    });
}

bool Control::Enabled() const {
    return CallOnWindowThread([&] { return widget_ && widget_->isEnabled(); });
}

void Control::SetEnabled(bool enabled) {
    RunOnWindowThread([&] {
        if (widget_) widget_->setEnabled(enabled);
    });
}

void Control::Focus() {
    RunOnWindowThread([&] {
        if (widget_) widget_->setFocus(Qt::OtherFocusReason);
    });
}

bool Control::HasFocus() const {
    return CallOnWindowThread([&] { return widget_ && widget_->hasFocus(); });
}

}  // namespace toolkit
