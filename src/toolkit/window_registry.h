#pragma once

#include <functional>

#include "toolkit/window_messages.h"

class QIcon;
class QWidget;

// Inside the toolkit: the live top-level windows by handle, and the icons handed out as
// handles. Used on the window thread only.
namespace toolkit {

class Window;

Window* FindWindow(WindowHandle handle);
void ForEachWindow(const std::function<void(Window&)>& visit);
void RegisterWindow(Window& window);
void UnregisterWindow(Window& window);

// The desktop layer's per-window data ends with the window.
void ForgetWindowMessages(WindowHandle handle);
// A window's icons leave the notification area with it.
void ForgetNotifyIcons(WindowHandle handle);
// Timers stop when the window is destroyed.
void KillWindowTimers(WindowHandle handle);

// Icons travel as handles; 0 is no icon.
std::uintptr_t IconHandleFor(const QIcon& icon);
QIcon IconForHandle(std::uintptr_t handle);

}  // namespace toolkit
