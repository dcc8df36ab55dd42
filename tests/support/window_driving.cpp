#include "support/window_driving.h"

#include "support/temp_folder.h"

namespace test_support {

void SendMouse(HWND window, UINT message, POINT at, WPARAM keys) {
    ::SendMessageA(window, message, keys, MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
}

void LeftClick(HWND window, POINT at) {
    SendMouse(window, WM_LBUTTONDOWN, at, MK_LBUTTON);
    SendMouse(window, WM_LBUTTONUP, at);
}

std::string WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf8Name(text);
}

std::string WindowClass(HWND window) {
    char name[256] = {};
    return std::string(name, static_cast<size_t>(::GetClassNameA(window, name, sizeof name)));
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

RECT RectInParent(HWND child) {
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE ClientSize(HWND window) {
    RECT r;
    ::GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

void DispatchWaitingMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        DispatchWaitingMessages();
        if (done()) return true;
        if (::GetTickCount64() >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void SettleWindowManager() {
    // Quiet: nothing came for a fifth of a second. Bounded, for a window that animates.
    const ULONGLONG end = ::GetTickCount64() + 3000;
    do {
        DispatchWaitingMessages();
    } while (::MsgWaitForMultipleObjects(0, nullptr, FALSE, 200, QS_ALLINPUT) != WAIT_TIMEOUT &&
             ::GetTickCount64() < end);
    DispatchWaitingMessages();
}

}  // namespace test_support
