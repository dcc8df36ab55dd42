#pragma once
// The read-only rich-edit pane (rich-edit 1.0, class "RICHEDIT") that shows a file's text.
#include "platform/unique_handle.h"
#include "widgets/window.h"

#include <string>

namespace viewer {

class RichViewer : public widgets::Window {
public:
    RichViewer(HWND parent, const RECT& place, UINT_PTR id, int dpi);

    void SetText(const std::string& text);
    std::string Text() const;
    void Clear();
    // The colour of the pane's default text; CLR_DEFAULT stands for the window-text colour.
    void SetFontColor(COLORREF color);
    COLORREF FontColor() const noexcept { return color_; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    platform::UniqueHFont font_;
    COLORREF color_ = RGB(0, 0, 255);
};

}  // namespace viewer
