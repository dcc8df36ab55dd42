#include "support/message_box_watcher.h"

#include <chrono>

namespace test_support {

namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    int n = ::GetWindowTextA(window, text, sizeof text);
    return std::string(text, n > 0 ? n : 0);
}

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    if (ClassOf(window) == "#32770" && ::IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The box's statics are its icon and its text; the ids differ between platforms, the styles do not.
BOOL CALLBACK ReadChild(HWND child, LPARAM param) {
    auto* seen = reinterpret_cast<SeenBox*>(param);
    std::string kind = ClassOf(child);
    if (_stricmp(kind.c_str(), "Static") == 0) {
        if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            seen->icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
        } else if (::IsWindowVisible(child)) {
            seen->text += TextOf(child);
        }
    } else if (_stricmp(kind.c_str(), "Button") == 0 && ::IsWindowVisible(child)) {
        seen->buttons.push_back(TextOf(child));
    }
    return TRUE;
}

BOOL CALLBACK FirstButton(HWND child, LPARAM found) {
    if (_stricmp(ClassOf(child).c_str(), "Button") == 0 && ::IsWindowVisible(child)) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(std::vector<HWND> watched)
    : thread_(::GetCurrentThreadId()), watched_(std::move(watched)), worker_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
}

const SeenBox& MessageBoxWatcher::Seen() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
    return seen_;
}

void MessageBoxWatcher::Watch() {
    // A bound on the wait, so that a box that never comes cannot hang the test run.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    HWND box = nullptr;
    while (!box) {
        ::EnumThreadWindows(thread_, FindBox, reinterpret_cast<LPARAM>(&box));
        if (box) break;
        if (stop_ || std::chrono::steady_clock::now() > giveUp) return;
        ::Sleep(10);
    }
    seen_.found = true;
    seen_.caption = TextOf(box);
    seen_.owner = ::GetWindow(box, GW_OWNER);
    ::EnumChildWindows(box, ReadChild, reinterpret_cast<LPARAM>(&seen_));
    for (HWND window : watched_) seen_.watchedEnabled.push_back(::IsWindowEnabled(window) != FALSE);
    HWND button = nullptr;
    ::EnumChildWindows(box, FirstButton, reinterpret_cast<LPARAM>(&button));
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

}  // namespace test_support
