#pragma once
// A picture on white (a bitmap or an icon at its top-left corner) that reports clicks.
#include "platform/unique_handle.h"
#include "widgets/window.h"

#include <functional>

namespace widgets {

class Picture : public Window {
public:
    Picture(HWND parent, const RECT& place, UINT_PTR id);
    void SetBitmap(platform::UniqueHBitmap bitmap);
    void SetIcon(platform::UniqueHIcon icon);
    // The size the bitmap or icon is drawn at: its own.
    SIZE ImageSize() const noexcept;
    std::function<void()> OnClick;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    platform::UniqueHBitmap bitmap_;
    platform::UniqueHIcon icon_;
    bool pressed_ = false;
};

}  // namespace widgets
