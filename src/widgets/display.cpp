#include "widgets/display.h"

namespace widgets {

HMONITOR PrimaryDisplay() noexcept { return ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY); }

RECT DisplayRect(HMONITOR display) {
    MONITORINFO info{sizeof info};
    if (::GetMonitorInfoA(display, &info)) return info.rcMonitor;
    return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

POINT CentreIn(const RECT& area, SIZE size) noexcept {
    return POINT{area.left + (area.right - area.left - size.cx) / 2, area.top + (area.bottom - area.top - size.cy) / 2};
}

}  // namespace widgets
