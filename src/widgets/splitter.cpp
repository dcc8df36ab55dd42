#include "widgets/splitter.h"

#include "platform/unique_handle.h"
#include "widgets/gdi.h"

#include <windowsx.h>

#include <algorithm>

namespace widgets {

namespace {
platform::UniqueHBrush HatchBrush() {
    static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    platform::UniqueHBitmap bits{::CreateBitmap(8, 8, 1, 1, kPattern)};
    return platform::UniqueHBrush{::CreatePatternBrush(bits.get())};
}
}  // namespace

Splitter::Splitter(HWND parent, const RECT& place, UINT_PTR id) {
    Create("ZavotekSplitter", 0, "", WS_CHILD | WS_VISIBLE, place, parent, id, ::LoadCursorA(nullptr, IDC_SIZEWE),
           ::GetSysColorBrush(COLOR_BTNFACE));
}

int Splitter::ClampedWidth(int x, int controlLeft, int minWidth, int maxWidth) noexcept {
    return std::clamp(x - controlLeft, minWidth, maxWidth);
}

LRESULT Splitter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN: BeginDrag(ParentX(lParam)); return 0;
    case WM_MOUSEMOVE:
        if (dragging_) DragTo(ParentX(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (dragging_) EndDrag(true);
        return 0;
    case WM_GETDLGCODE:
        // Otherwise the dialog-style keyboard handling of the message loop takes Esc for itself.
        return dragging_ ? DLGC_WANTALLKEYS : Default(message, wParam, lParam);
    case WM_KEYDOWN:
        if (dragging_ && wParam == VK_ESCAPE) EndDrag(false);
        return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        if (dragging_ && reinterpret_cast<HWND>(lParam) != Handle()) EndDrag(false);
        return Default(message, wParam, lParam);
    default: return Default(message, wParam, lParam);
    }
}

int Splitter::ParentX(LPARAM lParam) const {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::MapWindowPoints(Handle(), ::GetParent(Handle()), &at, 1);
    return at.x;
}

void Splitter::BeginDrag(int x) {
    RECT self;
    ::GetWindowRect(Handle(), &self);
    ::MapWindowPoints(nullptr, ::GetParent(Handle()), reinterpret_cast<POINT*>(&self), 2);
    grabOffset_ = x - self.left;
    dragging_ = true;
    // Esc reaches the splitter only while it holds the keyboard focus.
    focusBefore_ = ::SetFocus(Handle());
    ::SetCapture(Handle());
    lineX_ = self.left;
    DrawLine();
}

void Splitter::DragTo(int x) {
    int width = ClampedWidth(x - grabOffset_, controlLeft_, minWidth_, maxWidth_);
    int newX = controlLeft_ + width;
    if (newX == lineX_) return;
    DrawLine();
    lineX_ = newX;
    DrawLine();
}

void Splitter::EndDrag(bool apply) {
    dragging_ = false;
    DrawLine();
    if (::GetCapture() == Handle()) ::ReleaseCapture();
    if (focusBefore_ && ::IsWindow(focusBefore_)) ::SetFocus(focusBefore_);
    focusBefore_ = nullptr;
    if (apply && OnMoved) OnMoved(lineX_ - controlLeft_);
}

void Splitter::DrawLine() {
    HWND parent = ::GetParent(Handle());
    RECT self;
    ::GetClientRect(Handle(), &self);
    RECT place;
    ::GetWindowRect(Handle(), &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    platform::UniqueHBrush brush = HatchBrush();
    WindowDc dc(parent, ::GetDCEx(parent, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE));
    SelectScope select(dc.Dc(), brush.get());
    ::PatBlt(dc.Dc(), lineX_, place.top, self.right, place.bottom - place.top, PATINVERT);
}

}  // namespace widgets
