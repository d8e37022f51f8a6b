#pragma once

class QMouseEvent;

namespace toolkit {

enum class MouseButton { Left, Right, Middle, None };
enum class MouseAction { Press, Release, DoubleClick, Move };

struct MouseEvent {
    MouseAction action;
    MouseButton button;
    int x;  // in the coordinates of the control or window that reports it
    int y;
};

MouseEvent ToMouseEvent(MouseAction action, const QMouseEvent& event);

}  // namespace toolkit
