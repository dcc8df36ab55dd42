#pragma once
// Scoped painting helpers.
#include <windows.h>

namespace widgets {

class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : window_(window) { dc_ = ::BeginPaint(window, &ps_); }
    ~PaintScope() { ::EndPaint(window_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const noexcept { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects a GDI object into a DC and puts the previous one back.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectScope() { ::SelectObject(dc_, old_); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's DC for the length of a scope (null for the screen's). One got for the window
// another way (GetWindowDC, GetDCEx) is adopted and released alike.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : WindowDc(window, ::GetDC(window)) {}
    WindowDc(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Dc() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace widgets
