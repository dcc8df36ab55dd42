#include "widgets/panel.h"

#include "widgets/gdi.h"

#include <windowsx.h>

namespace widgets {

namespace {
// Private to the panel's class: WPARAM is the index of the button to click.
constexpr UINT kPressButton = WM_USER + 1;

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}
}  // namespace

Panel::Panel(HWND parent, const RECT& place, UINT_PTR id) {
    Create("ZavotekPanel", WS_EX_CONTROLPARENT, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, place, parent, id,
           nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
}

void Panel::InvalidateButton(const GraphicButton& button) { ::InvalidateRect(Handle(), &button.Place(), FALSE); }

LRESULT Panel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case kPressButton: Press(wParam); return 0;
    case WM_GETOBJECT: return OnGetObject(wParam, lParam);
    case WM_DESTROY: accessible_.reset(); return Default(message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: MouseDown(PointOf(lParam)); return 0;
    case WM_MOUSEMOVE: MouseMove(PointOf(lParam)); return 0;
    case WM_LBUTTONUP: MouseUp(PointOf(lParam)); return 0;
    case WM_CAPTURECHANGED:
        for (GraphicButton* b : buttons_) {
            if (b->Held()) {
                b->CancelPress();
                InvalidateButton(*b);
            }
        }
        return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return ::SendMessageA(::GetParent(Handle()), message, wParam, lParam);
    default: return Default(message, wParam, lParam);
    }
}

void Panel::Paint() {
    PaintScope paint(Handle());
    for (const GraphicButton* b : buttons_) b->Paint(paint.Dc(), font_);
}

void Panel::MouseDown(POINT at) {
    for (GraphicButton* b : buttons_) {
        if (b->MouseDown(at)) {
            ::SetCapture(Handle());
            InvalidateButton(*b);
            return;
        }
    }
}

void Panel::MouseMove(POINT at) {
    for (GraphicButton* b : buttons_) {
        if (b->MouseMove(at)) InvalidateButton(*b);
    }
}

void Panel::MouseUp(POINT at) {
    for (GraphicButton* b : buttons_) {
        if (!b->Held()) continue;
        bool clicked = b->MouseUp(at);
        InvalidateButton(*b);
        if (::GetCapture() == Handle()) ::ReleaseCapture();
        ::UpdateWindow(Handle());
        if (clicked && b->OnClick) b->OnClick();
        return;
    }
}

bool Panel::PressLater(size_t index) noexcept { return ::PostMessageA(Handle(), kPressButton, index, 0) != FALSE; }

void Panel::Press(size_t index) {
    if (index < buttons_.size() && ::IsWindowEnabled(Handle()) && buttons_[index]->OnClick) buttons_[index]->OnClick();
}

LRESULT Panel::OnGetObject(WPARAM flags, LPARAM objectId) {
    // The id is a 32-bit value, whatever the width of LPARAM.
    if (static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT)) return Default(WM_GETOBJECT, flags, objectId);
    if (!accessible_) accessible_ = ButtonPanelAccessible::Create(*this);
    if (!accessible_) return Default(WM_GETOBJECT, flags, objectId);
    return ::LresultFromObject(__uuidof(IAccessible), flags, accessible_.get());
}

}  // namespace widgets
