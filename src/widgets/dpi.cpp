#include "widgets/dpi.h"

#include "widgets/gdi.h"

namespace widgets {

namespace {

// A user32 function that older systems lack; null there.
template <typename Function>
Function User32(const char* name) noexcept {
    return reinterpret_cast<Function>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name));
}

}  // namespace

int Scale(int value, int dpi) noexcept { return MulDiv(value, dpi, kDesignDpi); }

RECT ScaleRect(const RECT& r, int dpi) noexcept {
    return RECT{Scale(r.left, dpi), Scale(r.top, dpi), Scale(r.right, dpi), Scale(r.bottom, dpi)};
}

int ScreenDpi() noexcept {
    WindowDc screen(nullptr);
    const int dpi = screen.Dc() ? ::GetDeviceCaps(screen.Dc(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) noexcept {
    static const auto getDpiForWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : ScreenDpi();
}

int SystemMetricAt(int index, int dpi) noexcept {
    static const auto forDpi = User32<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
    return MulDiv(::GetSystemMetrics(index), dpi, ScreenDpi());
}

LOGFONTW MessageFontAt(int dpi) noexcept {
    static const auto forDpi = User32<BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT)>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)))
        return metrics.lfMessageFont;
    LOGFONTW font{};
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMessageFont;
    } else {
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    // The system's metrics are at the screen's dpi.
    font.lfHeight = MulDiv(font.lfHeight, dpi, ScreenDpi());
    return font;
}

}  // namespace widgets
