#pragma once
// A text on its way into a pane, paced so that the window answers throughout: the first piece at
// once, the others on a timer of the pane, a few hundredths of a second of pieces a tick and none
// while input waits or the user drags out a selection. Until the last piece the vertical bar
// stands for the whole text and the user's selection and view stay where they are. Steps that
// need the whole text (the highlight) wait for the last piece, then run in slices on the same
// timer. A stop leaves out what has not gone in; the grey line at the end of the text then counts
// it with the rest of the file. Once done, the load stays as the record of what the pane shows.
#include "viewer/pane_feed.h"
#include "viewer/text_shape.h"

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace viewer {

// The most characters the pane holds.
constexpr LONG kTextLimit = 0x7FFFFFF0;

// What a pane shows of a file: its shown part and the bytes of the file after it.
struct ShownText {
    std::string text;
    std::uint64_t notShown = 0;
};

class PacedLoad {
public:
    // A slice of a step's work, a few hundredths of a second at most; true once the step is done.
    using Slice = std::function<bool()>;
    // The control's own timers have small numbers.
    static constexpr UINT_PTR kTimer = 0x5A46;

    // `rowHeight` is the height of a row where each line is one row, else 0.
    PacedLoad(HWND pane, ShownText shown, const TextShape& shape, size_t pieceCost, int rowHeight);
    ~PacedLoad();
    PacedLoad(const PacedLoad&) = delete;
    PacedLoad& operator=(const PacedLoad&) = delete;

    // Shows `plain`, the bars that the text needs as plain text, and puts the first piece in; with
    // `richText`, the whole text as rich text first (with the vertical bar, as its rows are not
    // known beforehand). False when the control rejects the text both ways.
    bool Start(bool richText, ScrollBars plain);
    // What the timer does: puts in pieces, or once all are in, runs slices of the waiting steps.
    // False when a piece fails.
    bool Tick();
    // Leaves out the pieces still to come.
    void Stop();
    // Runs `slice` until it is done, once the whole text is in: its first slice now if nothing
    // else waits, the others on the timer.
    void AfterLoad(Slice slice);

    // Whether pieces are still to go in.
    bool Loading() const noexcept { return !feed_.Done(); }
    // Whether pieces or steps are still to come.
    bool Working() const noexcept { return Loading() || !steps_.empty(); }
    // The characters of the file's text in the pane, without the grey line.
    LONG TextLength() const;
    // What the pane shows: after a stop, the part that went in.
    ShownText Shown() const { return {std::string(feed_.Text()), feed_.NotShown()}; }
    size_t PieceCost() const noexcept { return pieceCost_; }
    size_t BytesIn() const noexcept { return feed_.BytesIn(); }
    // The steps still to run, for a load of the same text that takes this one's place.
    std::deque<Slice> TakeSteps() noexcept { return std::move(steps_); }

private:
    bool PutPiecesForASpell(DWORD start);
    void End();
    void SizeBarForTheWholeText();
    bool EndInView() const;
    bool SpellGoesOn(DWORD start) const;
    void RunSlice();

    HWND pane_;
    PaneFeed feed_;
    size_t pieceCost_;
    int rowHeight_;
    // The bars shown before the text went in; any the control then did not want go at the end.
    ScrollBars shownBars_;
    // How tall the text in the pane is, as the control last sized its bar for it.
    int heightIn_ = 0;
    // Where the grey line starts, when there is one.
    std::optional<LONG> noteStart_;
    std::deque<Slice> steps_;
};

}  // namespace viewer
