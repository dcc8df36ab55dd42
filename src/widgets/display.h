#pragma once
// The displays a window can stand on, and centring on one.
#include <windows.h>

namespace widgets {

// The display that holds the screen's origin, where the task bar starts by default.
HMONITOR PrimaryDisplay() noexcept;

// The whole rectangle of `display`, task bar included; the primary screen's when the system
// cannot tell.
RECT DisplayRect(HMONITOR display);

// Where a window of `size` stands centred in `area`: (area width - window width) div 2 from its
// left, and so for the height.
POINT CentreIn(const RECT& area, SIZE size) noexcept;

}  // namespace widgets
