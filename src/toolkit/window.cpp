#include "toolkit/window.h"

#include <QWidget>

#include <QCloseEvent>
#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <unordered_set>
#include <vector>

#include "toolkit/gbk_text.h"
#include "toolkit/window_registry.h"
#include "toolkit/window_thread.h"

namespace toolkit {

class WindowWidget : public QWidget {
public:
    explicit WindowWidget(Window& owner) : owner_(owner) {
        if (owner_.style_.enter_moves_focus) qApp->installEventFilter(this);
        setMouseTracking(true);  // moves without a button pressed are events of the window too
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        if (owner_.on_close_request && !owner_.on_close_request()) {
            event->ignore();
            return;
        }
        // An accepted close ends the window, as closing destroys a window on the desktop.
        event->accept();
        owner_.Destroy();
    }

    void changeEvent(QEvent* event) override {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange && owner_.on_moved) {
            // The desktop reports state changes late and one by one; a report of a state
            // the program has already changed again is followed by the newer reports, so the
            // handler hears of it once those are in.
            if (event->spontaneous()) {
                QTimer::singleShot(0, this, [this] {
                    if (owner_.on_moved) owner_.on_moved();
                });
            } else {
                owner_.on_moved();
            }
        }
        if (event->type() == QEvent::ActivationChange && isActiveWindow() && owner_.on_focus) {
            owner_.on_focus();
        }
    }

    void moveEvent(QMoveEvent* event) override {
        QWidget::moveEvent(event);
        if (owner_.on_moved) owner_.on_moved();
    }

    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        // The user resized it: that is the size to keep from now on.
        if (event->spontaneous() && isVisible()) {
            owner_.outer_width_ = frameGeometry().width();
            owner_.outer_height_ = frameGeometry().height();
        }
        if (owner_.on_resized) owner_.on_resized();
    }

    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        owner_.FitOuterSize();
        if (owner_.centre_when_shown_) {
            owner_.centre_when_shown_ = false;
            owner_.ApplyState(WindowState::Centred);
        }
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && owner_.style_.esc_requests_close) {
            close();
            return;
        }
        QWidget::keyPressEvent(event);
    }

    // Enter moves on to the next control before the focused control can treat it as a press;
    // it is caught on its way to any control of this window.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !owner_.style_.enter_moves_focus) return false;
        auto* target = qobject_cast<QWidget*>(watched);
        if (!target || target->window() != this) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        focusNextChild();
        return true;
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (owner_.drag_anywhere_ && event->button() == Qt::LeftButton) {
            drag_offset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
            dragging_ = true;
        }
        Report(MouseAction::Press, event);
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        if (dragging_ && (event->buttons() & Qt::LeftButton)) {
            move(event->globalPosition().toPoint() - drag_offset_);
        }
        Report(MouseAction::Move, event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) dragging_ = false;
        Report(MouseAction::Release, event);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        Report(MouseAction::DoubleClick, event);
    }

private:
    void Report(MouseAction action, QMouseEvent* event) {
        if (owner_.on_mouse) owner_.on_mouse(ToMouseEvent(action, *event));
    }

    Window& owner_;
    QPoint drag_offset_;
    bool dragging_ = false;
};

namespace {

Qt::WindowFlags FlagsFor(const WindowStyle& style) {
    Qt::WindowFlags flags = style.taskbar_button ? Qt::Window : Qt::Tool;
    if (!style.title_bar) return flags | Qt::FramelessWindowHint;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowCloseButtonHint;
    if (style.minimise_button) flags |= Qt::WindowMinimizeButtonHint;
    if (style.maximise_button) flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

QMargins FrameMargins(const QWidget& widget) {
    const QRect frame = widget.frameGeometry();
    const QRect client = widget.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}

}  // namespace

namespace {

std::unordered_set<Window*>& LiveWindows() {
    static std::unordered_set<Window*> windows;
    return windows;
}

}  // namespace

Window* FindWindow(WindowHandle handle) {
    Window* window = reinterpret_cast<Window*>(handle);
    return LiveWindows().count(window) ? window : nullptr;
}

void ForEachWindow(const std::function<void(Window&)>& visit) {
    const std::vector<Window*> windows(LiveWindows().begin(), LiveWindows().end());
    for (Window* window : windows) {
        if (LiveWindows().count(window)) visit(*window);
    }
}

void RegisterWindow(Window& window) { LiveWindows().insert(&window); }
void UnregisterWindow(Window& window) { LiveWindows().erase(&window); }

Window::Window(const WindowStyle& style) : style_(style) {
    RunOnWindowThread([&] {
        BuildWidget();
        RegisterWindow(*this);
    });
}

Window::~Window() {
    RunOnWindowThread([&] {
        UnregisterWindow(*this);
        ForgetWindowMessages(Handle());
        ForgetNotifyIcons(Handle());
        widget_.reset();
    });
}

void Window::BuildWidget() {
    widget_ = std::make_unique<WindowWidget>(*this);
    widget_->setWindowFlags(FlagsFor(style_));
    widget_->setAttribute(Qt::WA_QuitOnClose, false);  // the program ends on its own terms
}

void Window::Load(Window* owner) {
    RunOnWindowThread([&] {
        if (!widget_) BuildWidget();
        if (owner && owner->widget_) {
            // Owned through the window system only: each wrapper keeps owning its widget.
            widget_->winId();
            owner->widget_->winId();
            widget_->windowHandle()->setTransientParent(owner->widget_->windowHandle());
        }
        loaded_ = true;
        loading_ = true;
        hidden_while_loading_ = false;
        if (on_created) on_created();
        loading_ = false;
        if (!hidden_while_loading_ && widget_) ShowOrHide(true);
    });
}

bool Window::Loaded() const {
    return CallOnWindowThread([&] { return loaded_; });
}

void Window::Destroy() {
    RunOnWindowThread([&] {
        if (!loaded_) return;
        loaded_ = false;
        // Through the window's procedure, so a replacement sees the end of the window; the
        // default procedure runs on_destroyed.
        SendWindowMessage(Handle(), kWmDestroy, 0, 0);
        KillWindowTimers(Handle());
        // The widget and its controls stay for a later Load, as a form loaded again.
        widget_->hide();
    });
}

int Window::Left() const {
    return CallOnWindowThread([&] { return widget_->frameGeometry().x(); });
}
int Window::Top() const {
    return CallOnWindowThread([&] { return widget_->frameGeometry().y(); });
}
int Window::Width() const {
    return CallOnWindowThread([&] { return widget_->frameGeometry().width(); });
}
int Window::Height() const {
    return CallOnWindowThread([&] { return widget_->frameGeometry().height(); });
}

void Window::SetGeometry(int left, int top, int width, int height) {
    RunOnWindowThread([&] {
        centre_when_shown_ = false;  // a place given later wins over a pending centring
        outer_width_ = width;
        outer_height_ = height;
        FitOuterSize();
        widget_->move(left, top);
    });
}

void Window::FitOuterSize() {
    if (outer_width_ <= 0 || outer_height_ <= 0) return;
    const QMargins m = FrameMargins(*widget_);
    const QSize client(outer_width_ - m.left() - m.right(), outer_height_ - m.top() - m.bottom());
    if (client == widget_->size()) return;
    if (!style_.resizable) widget_->setFixedSize(client);
    widget_->resize(client);
}

// A window shown while its kept state is minimised goes minimised once the show is over, unless
// a state is set first. Showing it minimised at once would have the desktop report the
// minimising after a state set right after the show (as in "show, then centre"), and the
// late report would minimise the window again.
//
// A hide asked for by a handler while the show is still going on (a move event it raises)
// is carried out once the show is over: hiding from inside it leaves the window half shown.
void Window::ShowOrHide(bool visible) {
    if (!visible) {
        pending_minimise_ = false;
        if (showing_) {
            hide_after_show_ = true;
            return;
        }
        widget_->setVisible(false);
        return;
    }
    if (showing_) {
        hide_after_show_ = false;
        return;
    }
    const bool minimise_after = (widget_->windowState() & Qt::WindowMinimized) && !widget_->isVisible();
    if (minimise_after) widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
    showing_ = true;
    hide_after_show_ = false;
    widget_->setVisible(true);
    showing_ = false;
    if (hide_after_show_) {
        hide_after_show_ = false;
        widget_->setVisible(false);
        return;
    }
    if (!minimise_after) return;
    pending_minimise_ = true;
    QTimer::singleShot(0, widget_.get(), [this] {
        if (!pending_minimise_) return;
        pending_minimise_ = false;
        if (widget_->isVisible()) ApplyState(WindowState::Minimised);
    });
}

void Window::Move(int left, int top) {
    RunOnWindowThread([&] {
        centre_when_shown_ = false;
        widget_->move(left, top);
    });
}

bool Window::Visible() const {
    return CallOnWindowThread([&] { return widget_->isVisible(); });
}

void Window::SetVisible(bool visible) {
    RunOnWindowThread([&] {
        if (loading_ && !visible) hidden_while_loading_ = true;
        if (loading_ && visible) hidden_while_loading_ = false;
        if (!loading_) ShowOrHide(visible);
        if (loading_ && !visible) widget_->hide();
    });
}

std::string Window::Caption() const {
    return CallOnWindowThread([&] { return ToGbk(widget_->windowTitle()); });
}

void Window::SetCaption(const std::string& caption) {
    RunOnWindowThread([&] { widget_->setWindowTitle(FromGbk(caption)); });
}

bool Window::AlwaysOnTop() const {
    return CallOnWindowThread(
        [&] { return widget_->windowFlags().testFlag(Qt::WindowStaysOnTopHint); });
}

void Window::SetAlwaysOnTop(bool on_top) {
    RunOnWindowThread([&] {
        if (widget_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on_top) return;
        // Told to the window system directly: changing the widget's flags the usual way
        // hides the window and makes it anew, which a shown window may not survive.
        Qt::WindowFlags flags = widget_->windowFlags();
        flags.setFlag(Qt::WindowStaysOnTopHint, on_top);
        widget_->overrideWindowFlags(flags);
        if (QWindow* handle = widget_->windowHandle()) handle->setFlags(flags);
    });
}

WindowState Window::State() const {
    return CallOnWindowThread([&] {
        const Qt::WindowStates states = widget_->windowState();
        if (states & Qt::WindowMinimized) return WindowState::Minimised;
        if (states & Qt::WindowMaximized) return WindowState::Maximised;
        return WindowState::Normal;
    });
}

void Window::SetState(WindowState state) {
    RunOnWindowThread([&] {
        pending_minimise_ = false;
        // A hidden window keeps the state and shows in it: minimised stays minimised when
        // shown (no state change then), and centring waits until the frame is known.
        if (!widget_->isVisible() && state == WindowState::Centred) {
            widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
            centre_when_shown_ = true;
            return;
        }
        if (state != WindowState::Centred) centre_when_shown_ = false;
        ApplyState(state);
    });
}

void Window::ApplyState(WindowState state) {
    switch (state) {
        case WindowState::Normal:
            widget_->setWindowState(widget_->windowState() &
                                    ~(Qt::WindowMinimized | Qt::WindowMaximized));
            break;
        case WindowState::Centred: {
            widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
            const QScreen* screen = widget_->screen() ? widget_->screen()
                                                      : QGuiApplication::primaryScreen();
            if (screen) {
                const QRect area = screen->availableGeometry();
                const QSize outer = widget_->frameGeometry().size();
                widget_->move(area.x() + (area.width() - outer.width()) / 2,
                              area.y() + (area.height() - outer.height()) / 2);
            }
            break;
        }
        case WindowState::Minimised:
            widget_->setWindowState((widget_->windowState() & ~Qt::WindowMaximized) |
                                    Qt::WindowMinimized);
            break;
        case WindowState::Maximised:
            widget_->setWindowState((widget_->windowState() & ~Qt::WindowMinimized) |
                                    Qt::WindowMaximized);
            break;
    }
}

void Window::SetDragAnywhere(bool drag) {
    RunOnWindowThread([&] { drag_anywhere_ = drag; });
}

void Window::SetIcon(const std::string& path) {
    RunOnWindowThread([&] { widget_->setWindowIcon(QIcon(FromGbk(path))); });
}

bool Window::HasIcon() const {
    return CallOnWindowThread([&] { return !widget_->windowIcon().availableSizes().isEmpty(); });
}

void Window::RequestClose() {
    RunOnWindowThread([&] { widget_->close(); });
}

void Window::Focus() {
    RunOnWindowThread([&] {
        widget_->raise();
        widget_->activateWindow();
        widget_->setFocus(Qt::ActiveWindowFocusReason);
    });
}

bool Window::IsActive() const {
    return CallOnWindowThread([&] { return widget_->isActiveWindow(); });
}

QWidget* Window::widget() const { return widget_.get(); }

std::uintptr_t Window::Handle() const { return reinterpret_cast<std::uintptr_t>(this); }

}  // namespace toolkit
