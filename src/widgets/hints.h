#pragma once
// Hints: a tooltip that appears after the mouse has rested 500 ms on a control, moves on at once
// to the next control while one shows, and goes after 2500 ms.
#include "platform/unique_handle.h"

#include <string>

namespace widgets {

class Hints {
public:
    explicit Hints(HWND owner);
    void Add(HWND control, const std::string& text);
    // A hint for a region of a window that has no window of its own (a graphic button).
    void AddRegion(HWND window, UINT_PTR id, const RECT& region, const std::string& text);
    void MoveRegion(HWND window, UINT_PTR id, const RECT& region);
    HWND Handle() const noexcept { return tooltip_.get(); }

private:
    platform::UniqueHwnd tooltip_;
};

}  // namespace widgets
