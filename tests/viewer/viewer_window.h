#pragma once
// A top-level test window holding a viewer pane, and questions about the pane's state.
#include "platform/unique_handle.h"
#include "viewer/rich_viewer.h"

#include <windows.h>
#include <richedit.h>

#include <memory>
#include <stdexcept>

namespace viewer_test {

class ViewerWindow {
public:
    explicit ViewerWindow(bool visible = true, SIZE size = {500, 400}) {
        top_.reset(::CreateWindowExA(0, "STATIC", "viewer test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                     size.cx, size.cy, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr));
        if (!top_) throw std::runtime_error("Cannot create the test window");
        RECT client;
        ::GetClientRect(top_.get(), &client);
        pane_ = std::make_unique<viewer::RichViewer>(top_.get(), client, 1, 96);
        if (visible) {
            ::ShowWindow(top_.get(), SW_SHOW);
            ::SetForegroundWindow(top_.get());
            ::UpdateWindow(top_.get());
        }
    }
    ~ViewerWindow() { pane_.reset(); }

    HWND Top() const { return top_.get(); }
    viewer::RichViewer& Pane() { return *pane_; }
    HWND PaneHandle() const { return pane_->Handle(); }

private:
    platform::UniqueHwnd top_;
    std::unique_ptr<viewer::RichViewer> pane_;
};

inline CHARRANGE Selection(HWND pane) {
    CHARRANGE range{};
    ::SendMessageA(pane, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

inline void Select(HWND pane, LONG start, LONG end) {
    CHARRANGE range{start, end};
    ::SendMessageA(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

// The format of the character at `offset`; moves the selection there.
inline CHARFORMATA FormatAt(HWND pane, LONG offset) {
    Select(pane, offset, offset + 1);
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    ::SendMessageA(pane, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
}

// Handles the window's messages until the pane's work between them is done; false after 10 s.
inline bool Settle(viewer::RichViewer& pane) {
    MSG msg;
    for (DWORD start = ::GetTickCount(); pane.Working(); ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT)) {
        if (::GetTickCount() - start > 10000) return false;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    }
    return true;
}

inline int LineCount(HWND pane) { return static_cast<int>(::SendMessageA(pane, EM_GETLINECOUNT, 0, 0)); }

}  // namespace viewer_test
