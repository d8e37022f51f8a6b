#include "toolkit/notify_icon.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

#include "net/text_pieces.h"
#include "toolkit/gbk_text.h"
#include "toolkit/window_registry.h"
#include "toolkit/window_thread.h"

namespace toolkit {
namespace {

// How long a balloon stays when nothing takes it down, as the desktop's own minimum.
constexpr int kBalloonShowMilliseconds = 10000;
constexpr int kTrayWatchMilliseconds = 1000;
constexpr std::size_t kCallLogLimit = 256;

struct Entry {
    NotifyIconState state;
    std::unique_ptr<QSystemTrayIcon> tray;
    QElapsedTimer last_left_click;  // invalid when no single click waits for its twin
};

using Key = std::pair<WindowHandle, std::uint32_t>;

std::map<Key, Entry>& Entries() {
    static std::map<Key, Entry> entries;
    return entries;
}

std::vector<NotifyIconCall>& Calls() {
    static std::vector<NotifyIconCall> calls;
    return calls;
}

void Record(NotifyIconMessage message, std::uint32_t flags, bool succeeded) {
    std::vector<NotifyIconCall>& calls = Calls();
    if (calls.size() == kCallLogLimit) calls.erase(calls.begin());
    calls.push_back({message, flags, succeeded});
}

// Hosts of the StatusNotifierItem protocol show balloons as desktop notifications, which
// cannot be taken down from here; they go by their own display time.
bool NotificationsAreDesktopNotices() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

QSystemTrayIcon::MessageIcon BalloonIcon(std::uint32_t flags) {
    switch (flags & 0x0F) {
        case kNiifInfo: return QSystemTrayIcon::Information;
        case kNiifWarning: return QSystemTrayIcon::Warning;
        case kNiifError: return QSystemTrayIcon::Critical;
        default: return QSystemTrayIcon::NoIcon;
    }
}

void SendMouse(const Key& key, unsigned mouse_message) {
    const auto found = Entries().find(key);
    if (found == Entries().end() || found->second.state.callback_message == 0) return;
    SendWindowMessage(key.first, found->second.state.callback_message, key.second,
                      static_cast<std::intptr_t>(mouse_message));
}

// Watches for the notification area coming back (its host restarted, or one started late),
// and tells every window, as the desktop does.
void WatchNotificationArea() {
    static QTimer* watch = nullptr;
    if (watch) return;
    watch = new QTimer(qApp);
    static bool available = QSystemTrayIcon::isSystemTrayAvailable();
    QObject::connect(watch, &QTimer::timeout, [] {
        const bool now = QSystemTrayIcon::isSystemTrayAvailable();
        if (now && !available) {
            BroadcastWindowMessage(RegisterWindowMessage(kTaskbarCreatedName), 0, 0);
        }
        available = now;
    });
    watch->start(kTrayWatchMilliseconds);
}

void ApplyToTray(const Key& key, Entry& entry, std::uint32_t flags, bool balloon_changed) {
    if (!entry.tray) {
        entry.tray = std::make_unique<QSystemTrayIcon>();
        QObject::connect(entry.tray.get(), &QSystemTrayIcon::activated,
                         [key](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::Trigger) {
                                 DeliverTrayActivation(key.first, key.second,
                                                       TrayActivation::LeftClick);
                             } else if (reason == QSystemTrayIcon::DoubleClick) {
                                 DeliverTrayActivation(key.first, key.second,
                                                       TrayActivation::DoubleClick);
                             } else if (reason == QSystemTrayIcon::Context) {
                                 DeliverTrayActivation(key.first, key.second,
                                                       TrayActivation::RightClick);
                             }
                         });
    }
    QSystemTrayIcon& tray = *entry.tray;
    if (flags & kNifIcon) tray.setIcon(IconForHandle(entry.state.icon));
    if (flags & kNifTip) tray.setToolTip(FromGbk(entry.state.tip));
    if (!tray.icon().isNull() && !tray.isVisible()) tray.show();
    if (!balloon_changed || !QSystemTrayIcon::supportsMessages() || !tray.isVisible()) return;
    if (!entry.state.balloon_text.empty()) {
        tray.showMessage(FromGbk(entry.state.balloon_title), FromGbk(entry.state.balloon_text),
                         BalloonIcon(entry.state.balloon_flags), kBalloonShowMilliseconds);
    } else if (!NotificationsAreDesktopNotices()) {
        tray.showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 0);  // takes it down
    }
}

void TakeIn(Entry& entry, const NotifyIconData& data) {
    if (data.uFlags & kNifMessage) entry.state.callback_message = data.uCallbackMessage;
    if (data.uFlags & kNifIcon) entry.state.icon = data.hIcon;
    if (data.uFlags & kNifTip) entry.state.tip = FieldText(data.szTip, kTipSize);
    if (data.uFlags & kNifInfo) {
        entry.state.balloon_title = FieldText(data.szInfoTitle, kInfoTitleSize);
        entry.state.balloon_text = FieldText(data.szInfo, kInfoSize);
        entry.state.balloon_flags = data.dwInfoFlags;
    }
}

}  // namespace

bool ShellNotifyIcon(NotifyIconMessage message, const NotifyIconData& data) {
    return CallOnWindowThread([&] {
        const Key key{data.hWnd, data.uID};
        auto& entries = Entries();
        const auto found = entries.find(key);
        bool succeeded = false;
        switch (message) {
            case kNimAdd: {
                // Adding an icon that is there already refreshes it, so an icon re-added
                // after the notification area came back shows whatever the host kept.
                if (!FindWindow(data.hWnd)) break;
                Entry& entry = entries[key];
                entry.state.exists = true;
                TakeIn(entry, data);
                ApplyToTray(key, entry, data.uFlags, (data.uFlags & kNifInfo) != 0);
                WatchNotificationArea();
                succeeded = true;
                break;
            }
            case kNimModify:
                if (found == entries.end()) break;
                TakeIn(found->second, data);
                ApplyToTray(key, found->second, data.uFlags, (data.uFlags & kNifInfo) != 0);
                succeeded = true;
                break;
            case kNimDelete:
                if (found == entries.end()) break;
                if (found->second.tray) found->second.tray->hide();
                entries.erase(found);
                succeeded = true;
                break;
        }
        Record(message, data.uFlags, succeeded);
        return succeeded;
    });
}

void CopyToField(char* field, std::size_t field_size, const std::string& text) {
    if (field_size == 0) return;
    const std::string kept = net::CutToWholeCharacters(text, field_size - 1);
    std::memcpy(field, kept.data(), kept.size());
    std::memset(field + kept.size(), 0, field_size - kept.size());
}

std::string FieldText(const char* field, std::size_t field_size) {
    const char* end = std::find(field, field + field_size, '\0');
    return std::string(field, end);
}

NotifyIconState NotifyIconStateOf(WindowHandle window, std::uint32_t id) {
    return CallOnWindowThread([&] {
        const auto found = Entries().find({window, id});
        return found == Entries().end() ? NotifyIconState{} : found->second.state;
    });
}

std::vector<NotifyIconCall> NotifyIconCalls() {
    return CallOnWindowThread([] { return Calls(); });
}

void DeliverTrayActivation(WindowHandle window, std::uint32_t id, TrayActivation activation) {
    RunOnWindowThread([&] {
        const Key key{window, id};
        const auto found = Entries().find(key);
        if (found == Entries().end()) return;
        QElapsedTimer& last = found->second.last_left_click;
        switch (activation) {
            case TrayActivation::LeftClick:
                if (last.isValid() && last.elapsed() <= QApplication::doubleClickInterval()) {
                    last.invalidate();
                    SendMouse(key, kWmLButtonDblClk);
                    SendMouse(key, kWmLButtonUp);
                    return;
                }
                last.start();
                SendMouse(key, kWmLButtonDown);
                SendMouse(key, kWmLButtonUp);
                return;
            case TrayActivation::DoubleClick:
                // Hosts that report double clicks report the first click too; that one must
                // not pair with a later click.
                last.invalidate();
                SendMouse(key, kWmLButtonDblClk);
                SendMouse(key, kWmLButtonUp);
                return;
            case TrayActivation::RightClick:
                SendMouse(key, kWmRButtonDown);
                SendMouse(key, kWmRButtonUp);
                return;
        }
    });
}

void ForgetNotifyIcons(WindowHandle handle) {
    auto& entries = Entries();
    for (auto it = entries.lower_bound({handle, 0}); it != entries.end() && it->first.first == handle;) {
        if (it->second.tray) it->second.tray->hide();
        it = entries.erase(it);
    }
}

}  // namespace toolkit
