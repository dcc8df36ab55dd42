#pragma once
// The read-only rich-edit pane (rich-edit 1.0, class "RICHEDIT") that shows a file's text.
#include "viewer/text_shape.h"
#include "widgets/window.h"

#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>

namespace viewer {

class StreamSource;

// The colour value that stands for the system's window-text colour; the control draws it as its
// automatic colour, so it follows the system setting.
constexpr COLORREF kWindowTextColor = CLR_DEFAULT;

// The most characters the pane holds.
constexpr LONG kTextLimit = 0x7FFFFFF0;

// The pane makes its window afresh for each new content: the control takes time that grows
// faster than the text to delete what it holds, and a fresh window costs next to nothing. Its
// handle therefore changes with each load; ask Handle() for it each time. The new window takes
// the old one's place, size, order among its siblings, id, visibility, enabled state and focus.
class RichViewer : public widgets::Window {
public:
    RichViewer(HWND parent, const RECT& place, UINT_PTR id, int dpi);

    void SetText(const std::string& text);
    std::string Text() const;
    // Empties the pane; the colour stays.
    void Clear();

    // The colour of the pane's default text, which is all text loaded as plain text and text set
    // through SetText; such text is redrawn in the new colour at once. A new pane starts in the
    // window-text colour.
    void SetFontColor(COLORREF color);
    COLORREF FontColor() const noexcept { return color_; }

    // Replaces the content with what `source` gives, in a fresh window whose default text has
    // `color`: read as rich text first when `shape` says it begins as rich text does, and as
    // plain text when it does not or the control rejects it. The scroll bars that a plain text
    // of `shape` may need are shown before it goes in (the vertical one for rich text), and any
    // the control then did not want are hidden again. Throws EOutOfResources "Failed to Load
    // Stream" when both attempts fail; the colour then stays what it was.
    void Load(StreamSource& source, const TextShape& shape, COLORREF color);

    // Rebuilds the window with or without wrapping; the content goes across as rich text.
    void SetWordWrap(bool wrap);
    // Switches the wrapping for `reload`, which loads the content afresh (through Load), so the
    // old content is not carried across only to be replaced. A reload that fails before it
    // changed the pane carries the old content across after all, as SetWordWrap(wrap) does.
    void SetWordWrap(bool wrap, const std::function<void()>& reload);
    bool WordWrap() const noexcept { return wordWrap_; }

    // The control starts with a small text limit and is given the largest after each load.
    void LiftTextLimit();

    // For a new dpi of the window's display: the margin, and the default text's size (the
    // control measures points at the screen's dpi, which another display need not have).
    void SetDpi(int dpi);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Rebuild(COLORREF color);
    void Attach(HWND pane);
    void ApplyDefaultFormat();
    void PaintMargin();
    CellSize Cell();
    void SetBars(ScrollBars bars);
    void HideUnwantedBars(ScrollBars shown);

    int margin_;
    int dpi_;
    COLORREF color_ = kWindowTextColor;
    bool wordWrap_ = false;
    // Measured once on an empty pane; the font changes only with the dpi.
    std::optional<CellSize> cell_;
};

}  // namespace viewer
