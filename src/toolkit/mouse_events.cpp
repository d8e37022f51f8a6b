#include "toolkit/mouse_events.h"

#include <QMouseEvent>

namespace toolkit {

MouseEvent ToMouseEvent(MouseAction action, const QMouseEvent& event) {
    MouseButton button = MouseButton::None;
    switch (event.button()) {
        case Qt::LeftButton: button = MouseButton::Left; break;
        case Qt::RightButton: button = MouseButton::Right; break;
        case Qt::MiddleButton: button = MouseButton::Middle; break;
        default: break;
    }
    const QPoint at = event.position().toPoint();
    return MouseEvent{action, button, at.x(), at.y()};
}

}  // namespace toolkit
