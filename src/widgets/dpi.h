#pragma once
// The dots per inch a window is drawn at, and what follows from it. Per-display dpi came with
// Windows 10 (1607); its functions are looked up in user32 at run time, so that the program
// still starts on older systems, where every window has the screen's dpi.
#include <windows.h>

namespace widgets {

// The dpi every size in the program's design is written at.
constexpr int kDesignDpi = USER_DEFAULT_SCREEN_DPI;

// A length or rectangle of the design scaled to `dpi`.
int Scale(int value, int dpi) noexcept;
RECT ScaleRect(const RECT& r, int dpi) noexcept;
// The screen's logical dots per inch.
int ScreenDpi() noexcept;

// Sent to a top-level window whose dpi changed (moved to another display, or the user's scale
// changed): the new dpi in both words of WPARAM, and in LPARAM the RECT the system suggests.
constexpr UINT kDpiChanged = 0x02E0;

// The dpi of the display the window is on; the screen's where the system has no other.
int WindowDpi(HWND window) noexcept;

// A system metric (SM_CXSMICON ...) as the system gives it at `dpi`.
int SystemMetricAt(int index, int dpi) noexcept;

// The message font of the non-client metrics, at `dpi`.
LOGFONTW MessageFontAt(int dpi) noexcept;

}  // namespace widgets
