#pragma once
// The read-only rich-edit pane (rich-edit 1.0, class "RICHEDIT") that shows a file's text.
#include "widgets/window.h"

#include <commctrl.h>

#include <string>

namespace viewer {

// The colour value that stands for the system's window-text colour; the control draws it as its
// automatic colour, so it follows the system setting.
constexpr COLORREF kWindowTextColor = CLR_DEFAULT;

// The most characters the pane holds.
constexpr LONG kTextLimit = 0x7FFFFFF0;

class RichViewer : public widgets::Window {
public:
    RichViewer(HWND parent, const RECT& place, UINT_PTR id, int dpi);

    void SetText(const std::string& text);
    std::string Text() const;
    void Clear();

    // The colour of the pane's default text, which is all text loaded as plain text and text set
    // through SetText; such text is redrawn in the new colour at once.
    void SetFontColor(COLORREF color);
    COLORREF FontColor() const noexcept { return color_; }

    // Rebuilds the window with or without wrapping; the content goes across as rich text.
    void SetWordWrap(bool wrap);
    bool WordWrap() const noexcept { return wordWrap_; }

    // The control starts with a small text limit and is given the largest after each load.
    void LiftTextLimit();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Attach(HWND pane);
    void ApplyDefaultFormat();
    void PaintMargin();

    int margin_;
    COLORREF color_ = RGB(0, 0, 255);
    bool wordWrap_ = false;
};

}  // namespace viewer
