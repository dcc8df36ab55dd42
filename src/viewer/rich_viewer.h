#pragma once
// The read-only rich-edit pane (rich-edit 1.0, class "RICHEDIT") that shows a file's text: its
// window and the window's messages. What goes into it goes through a PacedLoad, which also stays
// as the record of what it shows.
#include "platform/unique_handle.h"
#include "viewer/paced_load.h"
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

// The colour value that stands for the system's window-text colour; the control draws it as its
// automatic colour, so it follows the system setting.
constexpr COLORREF kWindowTextColor = CLR_DEFAULT;

// The pane makes its window afresh for each new content: the control takes time that grows
// faster than the text to delete what it holds, and a fresh window costs next to nothing. Its
// handle therefore changes with each load; ask Handle() for it each time. The new window takes
// the old one's place, size, order among its siblings, id, visibility, enabled state and focus;
// an old one that holds much text goes at the next tick, so that freeing its text and filling the
// new one are two messages. Under Wine a change of the default format (colour, font size) over a text lays it all
// out again, which over pieces takes time that grows with the square of the text: the pane never
// sends one over text, but shows the same text afresh in a fresh window instead.
class RichViewer : public widgets::Window {
public:
    RichViewer(HWND parent, const RECT& place, UINT_PTR id, int dpi);
    ~RichViewer() override;

    // Replaces the content with `text`, at once, in the pane's colour.
    void SetText(const std::string& text);
    std::string Text() const;
    // Empties the pane; the colour stays.
    void Clear();

    // The colour of the pane's default text, which is all text loaded as plain text and text set
    // through SetText. A new colour shows the content afresh in it, as a new load does, with the
    // steps that wait for the whole text. A new pane starts in the window-text colour.
    void SetFontColor(COLORREF color);
    COLORREF FontColor() const noexcept { return color_; }

    // Replaces the content with `text`, of `shape`, in a fresh window whose default text has
    // `color`: read as rich text first when `shape` says it begins as rich text does, and as
    // plain text with its line breaks made CR LF when it does not or the control rejects it.
    // The scroll bars that a plain text of `shape` may need are shown before it goes in (the
    // vertical one for rich text), and any the control then did not want are hidden again.
    // Plain text goes in by pieces that cost about `pieceCost`: the first now, the others between
    // the window's messages (PacedLoad). When `notShown` bytes of the file follow the text, a grey
    // line at the end says so. Throws EOutOfResources "Failed to Load Stream" when both attempts
    // fail; the pane is then empty and keeps the colour it had, as it does when a later piece
    // fails (which the window's error box then shows).
    void Load(std::string text, const TextShape& shape, COLORREF color, std::uint64_t notShown = 0,
              size_t pieceCost = SIZE_MAX);
    // Whether pieces of the content are still to go in.
    bool Loading() const noexcept { return load_ && load_->Loading(); }
    // Whether pieces, or steps waiting for them, are still to come between the window's messages.
    bool Working() const noexcept { return load_ && load_->Working(); }
    // Changes with each new content (a load, a text, a clear), but not when the same content is
    // shown afresh (a colour, the word wrap, the dpi).
    std::uint64_t ContentSerial() const noexcept { return contentSerial_; }
    // Leaves out what is left of the load; the grey line at the end counts it as not shown.
    void StopLoading();
    // Runs `slice` until it is done, once the whole content is in (PacedLoad::AfterLoad). A new
    // content drops it; the content shown afresh keeps it.
    void AfterLoad(PacedLoad::Slice slice);
    // The characters of the file's text in the pane: the whole content less the grey line.
    LONG TextLength() const;

    // Shows the content afresh with or without wrapping.
    void SetWordWrap(bool wrap);
    // Switches the wrapping for `reload`, which loads the content afresh (through Load), so the
    // old content is not shown again only to be replaced. A reload that fails before it changed
    // the pane shows the old content in the new wrapping after all, as SetWordWrap(wrap) does.
    void SetWordWrap(bool wrap, const std::function<void()>& reload);
    bool WordWrap() const noexcept { return wordWrap_; }

    // For a new dpi of the window's display: the margin, and the default text's size (the
    // control measures points at the screen's dpi, which another display need not have).
    void SetDpi(int dpi);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Put(ShownText shown, const TextShape& shape, COLORREF color, size_t pieceCost);
    void ShowAfresh(COLORREF color);
    void Rebuild(COLORREF color);
    void Tick();
    [[noreturn]] void FailLoad();
    void Attach(HWND pane);
    void ApplyDefaultFormat();
    void PaintMargin();
    CellSize Cell();
    ScrollBars PlainBars(const TextShape& shape, size_t size, std::uint64_t notShown);

    int margin_;
    int dpi_;
    COLORREF color_ = kWindowTextColor;
    // The colour a failing load goes back to.
    COLORREF colorBefore_ = kWindowTextColor;
    bool wordWrap_ = false;
    // Measured once on an empty pane; the font changes only with the dpi.
    std::optional<CellSize> cell_;
    // The content: a load in progress, or the record of one that is done.
    std::unique_ptr<PacedLoad> load_;
    std::uint64_t contentSerial_ = 0;
    // A window that a fresh one replaced, hidden until the next tick lets it go.
    platform::UniqueHwnd retired_;
};

}  // namespace viewer
