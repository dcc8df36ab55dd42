#include "viewer/pane_stream.h"

#include <richedit.h>

#include <algorithm>

namespace viewer {

namespace {

// Any value but zero tells the control that the transfer failed.
constexpr DWORD kStreamFailed = 1;

// The control calls back from inside its own code, so nothing may escape from here.
DWORD CALLBACK ReadCallback(DWORD_PTR cookie, LPBYTE buffer, LONG capacity, LONG* produced) noexcept {
    try {
        auto* source = reinterpret_cast<PlainTextSource*>(cookie);
        return source->Read(reinterpret_cast<char*>(buffer), capacity, *produced) ? 0 : kStreamFailed;
    } catch (...) {
        return kStreamFailed;
    }
}

}  // namespace

bool PlainTextSource::Read(char* buffer, LONG capacity, LONG& produced) {
    const size_t most = static_cast<size_t>(std::max<LONG>(capacity, 0) / 2);
    if (most == 0) return false;
    for (;;) {
        const size_t n = std::min(text_.size() - position_, most);
        produced = static_cast<LONG>(converter_.Convert(text_.data() + position_, n, buffer));
        position_ += n;
        // A piece that held only the LF of a CR LF gives nothing, and nothing would end the stream.
        if (produced > 0 || n == 0) return true;
    }
}

bool StreamIn(HWND pane, UINT format, PlainTextSource& source) {
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadCallback;
    ::SendMessageA(pane, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

KeptView::KeptView(HWND pane, bool repaint)
    : pane_(pane), showing_(::IsWindowVisible(pane) != FALSE), repaint_(repaint) {
    ::SendMessageA(pane_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
    // The bars' positions: EM_GETSCROLLPOS scales them down to 16 bits for a tall text, which
    // EM_SETSCROLLPOS does not.
    SCROLLINFO info{sizeof info, SIF_POS};
    if (::GetScrollInfo(pane_, SB_HORZ, &info)) scroll_.x = info.nPos;
    if (::GetScrollInfo(pane_, SB_VERT, &info)) scroll_.y = info.nPos;
    if (showing_) ::SendMessageA(pane_, WM_SETREDRAW, FALSE, 0);
}

KeptView::~KeptView() {
    ::SendMessageA(pane_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
    ::SendMessageA(pane_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll_));
    if (!showing_) return;
    ::SendMessageA(pane_, WM_SETREDRAW, TRUE, 0);
    if (repaint_) ::InvalidateRect(pane_, nullptr, FALSE);
}

LONG CaretToEnd(HWND pane) {
    CHARRANGE end{-1, -1};
    ::SendMessageA(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    ::SendMessageA(pane, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&end));
    return end.cpMin;
}

}  // namespace viewer
