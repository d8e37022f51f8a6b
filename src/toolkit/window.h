#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "toolkit/mouse_events.h"

// A top-level window: outer geometry, caption, visibility, always-on-top, window state,
// modeless loading, drag-anywhere, a close request its handler may refuse, and its events.
class QWidget;

namespace toolkit {

enum class WindowState { Normal, Centred, Minimised, Maximised };

struct WindowStyle {
    bool resizable = true;
    bool minimise_button = true;
    bool maximise_button = true;
    bool taskbar_button = true;  // while visible; off for small tool windows
    bool title_bar = true;
    bool enter_moves_focus = false;  // Enter moves the focus on instead of pressing anything
    bool esc_requests_close = true;
};

class WindowWidget;

class Window {
public:
    explicit Window(const WindowStyle& style);
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    // Events. A close request runs `on_close_request`; returning false refuses the close.
    std::function<void()> on_created;
    std::function<bool()> on_close_request;
    std::function<void()> on_destroyed;
    std::function<void()> on_moved;  // moved, or its window state changed
    std::function<void()> on_resized;
    std::function<void()> on_focus;
    std::function<void(const MouseEvent&)> on_mouse;

    // Shows the window modelessly, owned by `owner` when given (an owned window stays above
    // its owner and goes with it). `on_created` runs first; the window is then shown unless
    // that handler hid it.
    void Load(Window* owner = nullptr);
    bool Loaded() const;

    // Ends the window: `on_destroyed` runs and the window goes from the screen. An accepted
    // close request does the same. A destroyed window can be loaded again, controls and all.
    void Destroy();

    // Outer geometry in screen pixels (the frame included where the platform reports one).
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetGeometry(int left, int top, int width, int height);
    void Move(int left, int top);

    bool Visible() const;
    void SetVisible(bool visible);

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    bool AlwaysOnTop() const;
    void SetAlwaysOnTop(bool on_top);

    // Reading gives Normal, Minimised or Maximised. A state set while the window is hidden
    // is kept and takes effect when the window is next shown (a minimised window then goes
    // minimised as soon as the show is over, unless a state is set first; a centred one is
    // centred once it is on the screen).
    WindowState State() const;
    void SetState(WindowState state);

    void SetDragAnywhere(bool drag);

    // The window's icon from a picture file or a compiled-in resource (":/..."); the
    // notification area shows it too.
    void SetIcon(const std::string& path);
    bool HasIcon() const;

    // Raises a close request, as the close box or Esc would.
    void RequestClose();

    // Gives the window the keyboard focus and brings it to the front.
    void Focus();
    bool IsActive() const;

    // The widget that holds the window's controls (its client area).
    QWidget* widget() const;

    // A number that stays the same for the window's life; the desktop layer keys on it.
    std::uintptr_t Handle() const;

private:
    friend class WindowWidget;
    void ApplyState(WindowState state);
    void BuildWidget();

    void FitOuterSize();
    void ShowOrHide(bool visible);

    WindowStyle style_;
    int outer_width_ = 0;  // as asked for; the frame is known only once the window is shown
    int outer_height_ = 0;
    std::unique_ptr<WindowWidget> widget_;
    bool centre_when_shown_ = false;
    bool loading_ = false;
    bool hidden_while_loading_ = false;
    bool loaded_ = false;
    bool drag_anywhere_ = false;
    bool pending_minimise_ = false;  // shown while its kept state was minimised
    bool showing_ = false;
    bool hide_after_show_ = false;
};

}  // namespace toolkit
