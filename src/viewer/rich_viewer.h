#pragma once
// The read-only rich-edit pane (rich-edit 1.0, class "RICHEDIT") that shows a file's text.
#include "viewer/text_shape.h"
#include "widgets/window.h"

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace viewer {

class PaneFeed;

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
    ~RichViewer() override;

    void SetText(const std::string& text);
    std::string Text() const;
    // Empties the pane; the colour stays.
    void Clear();

    // The colour of the pane's default text, which is all text loaded as plain text and text set
    // through SetText; such text is redrawn in the new colour at once. A new pane starts in the
    // window-text colour.
    void SetFontColor(COLORREF color);
    COLORREF FontColor() const noexcept { return color_; }

    // Replaces the content with `text`, of `shape`, in a fresh window whose default text has
    // `color`: read as rich text first when `shape` says it begins as rich text does, and as
    // plain text with its line breaks made CR LF when it does not or the control rejects it.
    // The scroll bars that a plain text of `shape` may need are shown before it goes in (the
    // vertical one for rich text), and any the control then did not want are hidden again.
    // Plain text goes in by pieces of about `pieceBytes`: the first now, the others between the
    // window's messages, while the vertical bar stands for the whole text. When `notShown` bytes
    // of the file follow the text, a grey line at the end says so. Throws EOutOfResources
    // "Failed to Load Stream" when both attempts fail; the colour then stays what it was, as it
    // does when a later piece fails (which the window's error box then shows).
    void Load(std::string text, const TextShape& shape, COLORREF color, std::uint64_t notShown = 0,
              size_t pieceBytes = SIZE_MAX);
    // Whether pieces of the last load are still to go in.
    bool Loading() const noexcept { return feed_ != nullptr; }
    // Puts in at once what is left of the load, for a step that needs the whole text.
    void FinishLoading();
    // Leaves out what is left of the load; the grey line at the end counts it as not shown.
    void StopLoading();
    // The characters of the file's text in the pane: the whole content less the grey line.
    LONG TextLength() const;

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
    void FeedSpell();
    void EndFeed();
    [[noreturn]] void FailFeed();
    void StandForTheWhole();
    bool EndInView() const;
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
    // The load whose pieces are still to go in, and what it needs meanwhile: the bars shown for
    // it, the colour to go back to if it fails, and the row height its rows were counted in (0
    // where rows are not known beforehand).
    std::unique_ptr<PaneFeed> feed_;
    ScrollBars feedBars_;
    COLORREF colorBefore_ = kWindowTextColor;
    int feedRowHeight_ = 0;
    // How tall the text in the pane is, as the control last sized its bar for it.
    int fedHeight_ = 0;
    // Where the grey line that counts what is not shown starts, when there is one.
    std::optional<LONG> noteStart_;
};

}  // namespace viewer
