#include "toolkit/window_messages.h"

#include <QWidget>

#include <QBitmap>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QTimer>

#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "toolkit/window.h"
#include "toolkit/window_registry.h"
#include "toolkit/window_thread.h"

namespace toolkit {
namespace {

constexpr unsigned kFirstRegisteredMessage = 0xC000;
constexpr unsigned kLastRegisteredMessage = 0xFFFF;

struct WindowData {
    WindowProcedure procedure;  // empty: the default procedure
    std::uint32_t extended_style = 0;
    RegionShape region;
};

// Window-thread data; the registered names are asked for from any thread.
std::unordered_map<WindowHandle, WindowData>& Windows() {
    static std::unordered_map<WindowHandle, WindowData> windows;
    return windows;
}

struct TimerKey {
    WindowHandle window;
    unsigned id;
    bool operator<(const TimerKey& other) const {
        return std::pair(window, id) < std::pair(other.window, other.id);
    }
};

std::map<TimerKey, std::unique_ptr<QTimer>>& Timers() {
    static std::map<TimerKey, std::unique_ptr<QTimer>> timers;
    return timers;
}

// Icons handed out as handles live for the whole run, as a loaded icon resource would.
std::vector<QIcon>& Icons() {
    static std::vector<QIcon> icons;
    return icons;
}

// A timer may be ended from its own routine; it is deleted once that routine has returned.
void Retire(std::unique_ptr<QTimer> timer) {
    timer->stop();
    timer->disconnect();
    timer.release()->deleteLater();
}

MessageResult DefaultProcedure(WindowHandle handle, unsigned message, std::uintptr_t wparam,
                               std::intptr_t) {
    Window* window = FindWindow(handle);
    if (!window) return 0;
    if (message == kWmGetIcon && wparam == kIconSmall) {
        const QIcon icon = window->widget()->windowIcon();
        if (icon.availableSizes().isEmpty()) return 0;
        return static_cast<MessageResult>(IconHandleFor(icon));
    }
    if (message == kWmDestroy && window->on_destroyed) window->on_destroyed();
    return 0;
}

QWidget* WidgetOf(WindowHandle handle) {
    Window* window = FindWindow(handle);
    return window ? window->widget() : nullptr;
}

}  // namespace

unsigned RegisterWindowMessage(const std::string& name) {
    static std::mutex mutex;
    static std::map<std::string, unsigned> numbers;
    std::lock_guard<std::mutex> lock(mutex);
    const auto found = numbers.find(name);
    if (found != numbers.end()) return found->second;
    const unsigned number = kFirstRegisteredMessage + static_cast<unsigned>(numbers.size());
    if (number > kLastRegisteredMessage || name.empty()) return 0;
    numbers.emplace(name, number);
    return number;
}

WindowProcedure SetWindowProcedure(WindowHandle window, WindowProcedure procedure) {
    return CallOnWindowThread([&]() -> WindowProcedure {
        if (!FindWindow(window)) return {};
        WindowData& data = Windows()[window];
        WindowProcedure previous = data.procedure ? std::move(data.procedure) : DefaultProcedure;
        data.procedure = std::move(procedure);
        return previous;
    });
}

WindowProcedure GetWindowProcedure(WindowHandle window) {
    return CallOnWindowThread([&]() -> WindowProcedure {
        if (!FindWindow(window)) return {};
        const auto found = Windows().find(window);
        if (found != Windows().end() && found->second.procedure) return found->second.procedure;
        return DefaultProcedure;
    });
}

MessageResult CallWindowProcedure(const WindowProcedure& procedure, WindowHandle window,
                                  unsigned message, std::uintptr_t wparam, std::intptr_t lparam) {
    if (!procedure) return 0;
    return procedure(window, message, wparam, lparam);
}

MessageResult SendWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wparam,
                                std::intptr_t lparam) {
    return CallOnWindowThread([&]() -> MessageResult {
        // A copy: the procedure may replace itself while it runs.
        const WindowProcedure procedure = GetWindowProcedure(window);
        return procedure ? procedure(window, message, wparam, lparam) : 0;
    });
}

void BroadcastWindowMessage(unsigned message, std::uintptr_t wparam, std::intptr_t lparam) {
    RunOnWindowThread([&] {
        std::vector<WindowHandle> handles;
        ForEachWindow([&](Window& window) { handles.push_back(window.Handle()); });
        for (WindowHandle handle : handles) SendWindowMessage(handle, message, wparam, lparam);
    });
}

bool SetWindowTimer(WindowHandle window, unsigned id, int milliseconds,
                    WindowTimerRoutine routine) {
    return CallOnWindowThread([&] {
        if (!FindWindow(window) || milliseconds < 0) return false;
        auto& timers = Timers();
        const auto found = timers.find({window, id});
        if (found != timers.end()) {
            Retire(std::move(found->second));
            timers.erase(found);
        }
        auto timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);  // a notice goes when it says, not 5 % later
        QObject::connect(timer.get(), &QTimer::timeout,
                         [window, id, routine] { if (routine) routine(window, id); });
        timer->start(milliseconds);
        timers.emplace(TimerKey{window, id}, std::move(timer));
        return true;
    });
}

bool KillWindowTimer(WindowHandle window, unsigned id) {
    return CallOnWindowThread([&] {
        auto& timers = Timers();
        const auto found = timers.find({window, id});
        if (found == timers.end()) return false;
        Retire(std::move(found->second));
        timers.erase(found);
        return true;
    });
}

int WindowTimerRemaining(WindowHandle window, unsigned id) {
    return CallOnWindowThread([&] {
        const auto found = Timers().find({window, id});
        return found == Timers().end() ? -1 : found->second->remainingTime();
    });
}

void KillWindowTimers(WindowHandle handle) {
    auto& timers = Timers();
    for (auto it = timers.lower_bound({handle, 0}); it != timers.end() && it->first.window == handle;) {
        Retire(std::move(it->second));
        it = timers.erase(it);
    }
}

void ForgetWindowMessages(WindowHandle handle) {
    KillWindowTimers(handle);
    Windows().erase(handle);
}

void SetWindowExtendedStyle(WindowHandle window, std::uint32_t style) {
    RunOnWindowThread([&] {
        QWidget* widget = WidgetOf(window);
        if (!widget) return;
        Windows()[window].extended_style = style;
        // Without the layered style the window is opaque again.
        if (!(style & kWsExLayered)) widget->setWindowOpacity(1.0);
    });
}

std::uint32_t WindowExtendedStyle(WindowHandle window) {
    return CallOnWindowThread([&]() -> std::uint32_t {
        const auto found = Windows().find(window);
        return found == Windows().end() ? 0 : found->second.extended_style;
    });
}

bool SetLayeredWindowAttributes(WindowHandle window, std::uint32_t, std::uint8_t alpha,
                                std::uint32_t flags) {
    return CallOnWindowThread([&] {
        QWidget* widget = WidgetOf(window);
        if (!widget || !(Windows()[window].extended_style & kWsExLayered)) return false;
        if (flags & kLwaAlpha) widget->setWindowOpacity(alpha / 255.0);
        return true;
    });
}

double WindowOpacity(WindowHandle window) {
    return CallOnWindowThread([&] {
        QWidget* widget = WidgetOf(window);
        return widget ? widget->windowOpacity() : 1.0;
    });
}

bool SetRoundRectRegion(WindowHandle window, int width, int height, int corner_width,
                        int corner_height) {
    return CallOnWindowThread([&] {
        QWidget* widget = WidgetOf(window);
        if (!widget || width <= 0 || height <= 0) return false;
        QRegion region(0, 0, width, height);
        if (corner_width > 0 && corner_height > 0) {
            // Corners are quarter ellipses of the given width and height, as a rounded
            // rectangle region is drawn on the desktop.
            QBitmap mask(width, height);
            mask.fill(Qt::color0);
            QPainter painter(&mask);
            painter.setBrush(Qt::color1);
            painter.setPen(Qt::NoPen);
            QPainterPath path;
            path.addRoundedRect(0, 0, width, height, corner_width / 2.0, corner_height / 2.0);
            painter.drawPath(path);
            painter.end();
            region = QRegion(mask);
        }
        widget->setMask(region);
        Windows()[window].region = RegionShape{true, width, height, corner_width, corner_height};
        return true;
    });
}

RegionShape WindowRegion(WindowHandle window) {
    return CallOnWindowThread([&] {
        const auto found = Windows().find(window);
        return found == Windows().end() ? RegionShape{} : found->second.region;
    });
}

int GetSystemMetrics(SystemMetric metric) {
    return CallOnWindowThread([&] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen) return 0;
        const QRect area = screen->geometry();
        return metric == kSmCxScreen ? area.width() : area.height();
    });
}

std::uintptr_t IconHandleFor(const QIcon& icon) {
    if (icon.isNull()) return 0;
    std::vector<QIcon>& icons = Icons();
    for (std::size_t i = 0; i < icons.size(); ++i) {
        if (icons[i].cacheKey() == icon.cacheKey()) return i + 1;
    }
    icons.push_back(icon);
    return icons.size();
}

QIcon IconForHandle(std::uintptr_t handle) {
    const std::vector<QIcon>& icons = Icons();
    return handle >= 1 && handle <= icons.size() ? icons[handle - 1] : QIcon();
}

}  // namespace toolkit
