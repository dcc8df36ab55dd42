#pragma once
// A vertical splitter bar. Dragging it shows a hatched line on the parent that follows the
// mouse within the limits; on release the new width goes to OnMoved, Esc cancels the drag.
#include "widgets/window.h"

#include <functional>

namespace widgets {

class Splitter : public Window {
public:
    Splitter(HWND parent, const RECT& place, UINT_PTR id);

    // The control on the left whose width the splitter sets, in parent client pixels.
    void SetLimits(int minWidth, int maxWidth) noexcept { minWidth_ = minWidth, maxWidth_ = maxWidth; }
    void SetControlLeft(int left) noexcept { controlLeft_ = left; }
    std::function<void(int newWidth)> OnMoved;
    bool Dragging() const noexcept { return dragging_; }

    // The width a drag to parent x-coordinate `x` gives, within the limits.
    static int ClampedWidth(int x, int controlLeft, int minWidth, int maxWidth) noexcept;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void BeginDrag(int x);
    void DragTo(int x);
    void EndDrag(bool apply);
    void DrawLine();  // XOR, so drawing twice erases it
    int ParentX(LPARAM lParam) const;

    int minWidth_ = 0, maxWidth_ = 0, controlLeft_ = 0;
    bool dragging_ = false;
    int grabOffset_ = 0;
    int lineX_ = 0;
    HWND focusBefore_ = nullptr;
};

}  // namespace widgets
