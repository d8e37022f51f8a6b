#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/window_messages.h"

// An icon in the desktop's notification area, described by one record in the shape the
// program is written against and changed with add / modify / delete. The icon reports mouse
// activity to its window's procedure as the record's callback message, with the mouse
// message in lParam. What the layer shows is also kept as state, readable where no tray host
// exists (tests, hosts without a notification area).
namespace toolkit {

constexpr std::uint32_t kNifMessage = 0x01;
constexpr std::uint32_t kNifIcon = 0x02;
constexpr std::uint32_t kNifTip = 0x04;
constexpr std::uint32_t kNifInfo = 0x10;

constexpr std::uint32_t kNiifNone = 0;
constexpr std::uint32_t kNiifInfo = 1;
constexpr std::uint32_t kNiifWarning = 2;
constexpr std::uint32_t kNiifError = 3;

enum NotifyIconMessage { kNimAdd = 0, kNimModify = 1, kNimDelete = 2 };

constexpr std::size_t kTipSize = 128;
constexpr std::size_t kInfoSize = 256;
constexpr std::size_t kInfoTitleSize = 64;

// Texts are zero-terminated GBK within their fields.
struct NotifyIconData {
    std::uint32_t cbSize = 0;
    WindowHandle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::uintptr_t hIcon = 0;
    char szTip[kTipSize] = {};
    std::uint32_t dwState = 0;
    std::uint32_t dwStateMask = 0;
    char szInfo[kInfoSize] = {};
    std::uint32_t uTimeout = 0;
    char szInfoTitle[kInfoTitleSize] = {};
    std::uint32_t dwInfoFlags = 0;
};

// Adds, changes or deletes the icon (hWnd, uID). Add fails for an icon that is already there,
// modify and delete for one that is not. With kNifInfo an empty szInfo takes the balloon
// down; a balloon shows where the tray host supports messages and nowhere else.
bool ShellNotifyIcon(NotifyIconMessage message, const NotifyIconData& data);

// Writes a text into a fixed field, cut so that it and its terminating zero fit and no
// character is cut in two.
void CopyToField(char* field, std::size_t field_size, const std::string& text);
std::string FieldText(const char* field, std::size_t field_size);

// What the layer holds for an icon.
struct NotifyIconState {
    bool exists = false;
    std::uint32_t callback_message = 0;
    std::uintptr_t icon = 0;
    std::string tip;
    std::string balloon_title;
    std::string balloon_text;  // empty: no balloon
    std::uint32_t balloon_flags = 0;
};
NotifyIconState NotifyIconStateOf(WindowHandle window, std::uint32_t id);

// Every call made, in order (message and uFlags), for the icons of all windows.
struct NotifyIconCall {
    NotifyIconMessage message;
    std::uint32_t flags;
    bool succeeded;
};
std::vector<NotifyIconCall> NotifyIconCalls();

// What a tray host reports. Hosts that speak the StatusNotifierItem protocol never report a
// double click: two left activations within the double-click interval count as one.
enum class TrayActivation { LeftClick, DoubleClick, RightClick };
void DeliverTrayActivation(WindowHandle window, std::uint32_t id, TrayActivation activation);

// The message every window receives when a notification area appears again after it was
// gone (the desktop's "TaskbarCreated").
constexpr const char* kTaskbarCreatedName = "TaskbarCreated";

}  // namespace toolkit
