#include "widgets/picture.h"

#include "widgets/gdi.h"

#include <windowsx.h>

namespace widgets {

Picture::Picture(HWND parent, const RECT& place, UINT_PTR id) {
    Create("ZavotekPicture", 0, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, place, parent, id,
           ::LoadCursorA(nullptr, IDC_HAND), nullptr);
}

void Picture::SetBitmap(platform::UniqueHBitmap bitmap) {
    bitmap_ = std::move(bitmap);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void Picture::SetIcon(platform::UniqueHIcon icon) {
    icon_ = std::move(icon);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

SIZE Picture::ImageSize() const noexcept {
    BITMAP info{};
    ICONINFO icon{};
    if (bitmap_ && ::GetObjectA(bitmap_.get(), sizeof info, &info)) return SIZE{info.bmWidth, info.bmHeight};
    if (!icon_ || !::GetIconInfo(icon_.get(), &icon)) return SIZE{};
    ::GetObjectA(icon.hbmMask, sizeof info, &info);
    ::DeleteObject(icon.hbmMask);
    if (icon.hbmColor) ::DeleteObject(icon.hbmColor);
    return SIZE{info.bmWidth, icon.hbmColor ? info.bmHeight : info.bmHeight / 2};
}

LRESULT Picture::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        ::SetCapture(Handle());
        return 0;
    case WM_LBUTTONUP: {
        bool wasPressed = pressed_;
        pressed_ = false;
        ::ReleaseCapture();
        RECT client;
        ::GetClientRect(Handle(), &client);
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (wasPressed && ::PtInRect(&client, at) && OnClick) OnClick();
        return 0;
    }
    case WM_CAPTURECHANGED: pressed_ = false; return 0;
    default: return Default(message, wParam, lParam);
    }
}

void Picture::Paint() {
    PaintScope paint(Handle());
    RECT client;
    ::GetClientRect(Handle(), &client);
    ::FillRect(paint.Dc(), &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (bitmap_) {
        HDC memory = ::CreateCompatibleDC(paint.Dc());
        BITMAP info{};
        ::GetObjectA(bitmap_.get(), sizeof info, &info);
        {
            SelectScope select(memory, bitmap_.get());
            ::BitBlt(paint.Dc(), 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        }
        ::DeleteDC(memory);
    }
    if (icon_) ::DrawIconEx(paint.Dc(), 0, 0, icon_.get(), 0, 0, 0, nullptr, DI_NORMAL);
}

}  // namespace widgets
