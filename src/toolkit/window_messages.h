#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Window procedures and messages for the program's top-level windows, in the shape the
// desktop code is written against: each window has a procedure slot that can be replaced
// (the replacement passes what it does not handle on to the previous one), numbered
// messages sent to a window, and message numbers registered by name.
namespace toolkit {

using WindowHandle = std::uintptr_t;  // Window::Handle()
using MessageResult = std::intptr_t;
using WindowProcedure = std::function<MessageResult(WindowHandle window, unsigned message,
                                                    std::uintptr_t wparam, std::intptr_t lparam)>;

constexpr unsigned kWmDestroy = 0x0002;
constexpr unsigned kWmGetIcon = 0x007F;
constexpr std::uintptr_t kIconSmall = 0;
constexpr unsigned kWmLButtonDown = 0x0201;    // 513
constexpr unsigned kWmLButtonUp = 0x0202;      // 514
constexpr unsigned kWmLButtonDblClk = 0x0203;  // 515
constexpr unsigned kWmRButtonDown = 0x0204;    // 516
constexpr unsigned kWmRButtonUp = 0x0205;      // 517

// The same name always gives the same number, from a range no fixed message uses
// (0xC000 .. 0xFFFF).
unsigned RegisterWindowMessage(const std::string& name);

// Installs `procedure` as the window's procedure and gives the one it replaces (the window's
// own default procedure the first time). An empty procedure puts the default back. Unknown
// handles give an empty procedure and change nothing.
WindowProcedure SetWindowProcedure(WindowHandle window, WindowProcedure procedure);

// The window's current procedure (its default one when none was installed).
WindowProcedure GetWindowProcedure(WindowHandle window);

// Runs `procedure` with the message; an empty procedure answers 0.
MessageResult CallWindowProcedure(const WindowProcedure& procedure, WindowHandle window,
                                  unsigned message, std::uintptr_t wparam, std::intptr_t lparam);

// Delivers the message to the window's current procedure on the window thread and gives its
// answer; 0 for a handle that is not a live window. The default procedure answers
// kWmGetIcon/kIconSmall with the window's icon (0 when it has none), runs the window's
// destroyed event on kWmDestroy, and answers 0 to everything else.
MessageResult SendWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wparam,
                                std::intptr_t lparam);

// Sends the message to every top-level window, as the desktop broadcasts to all of them.
void BroadcastWindowMessage(unsigned message, std::uintptr_t wparam, std::intptr_t lparam);

// Timers on a window, with an id and a routine. Setting an id that is already running
// replaces it (counting starts afresh); the window's timers end with the window.
using WindowTimerRoutine = std::function<void(WindowHandle window, unsigned id)>;
bool SetWindowTimer(WindowHandle window, unsigned id, int milliseconds,
                    WindowTimerRoutine routine);
bool KillWindowTimer(WindowHandle window, unsigned id);
// Milliseconds left before a running timer fires next; -1 when the timer is not running.
int WindowTimerRemaining(WindowHandle window, unsigned id);

// Window shape and the screen.
constexpr std::uint32_t kWsExLayered = 0x00080000;
constexpr std::uint32_t kLwaColourKey = 0x1;
constexpr std::uint32_t kLwaAlpha = 0x2;
void SetWindowExtendedStyle(WindowHandle window, std::uint32_t style);
std::uint32_t WindowExtendedStyle(WindowHandle window);
// Draws the whole window with `alpha` (0..255) of opacity; needs the layered style. Colour
// keys are not supported and are ignored.
bool SetLayeredWindowAttributes(WindowHandle window, std::uint32_t colour_key,
                                std::uint8_t alpha, std::uint32_t flags);
double WindowOpacity(WindowHandle window);
// Limits the window to the rectangle (0, 0, width, height) with corners rounded by ellipses
// of corner_width x corner_height (0 x 0 is a plain rectangle).
bool SetRoundRectRegion(WindowHandle window, int width, int height, int corner_width,
                        int corner_height);
struct RegionShape {
    bool set = false;
    int width = 0;
    int height = 0;
    int corner_width = 0;
    int corner_height = 0;
};
RegionShape WindowRegion(WindowHandle window);

enum SystemMetric { kSmCxScreen = 0, kSmCyScreen = 1 };
int GetSystemMetrics(SystemMetric metric);

}  // namespace toolkit
