#pragma once
// The shown part of a file on its way into the pane, a piece at a time. Each piece ends after a
// line break, so that the control lays out each line once; the first replaces the pane's content
// and the others go at its end, the user's selection and view kept.
#include "viewer/line_break_converter.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace viewer {

class PaneFeed {
public:
    // `text` is the shown part with `breaks` line breaks; `notShown` bytes of the file follow it.
    PaneFeed(std::string text, std::uint64_t breaks, std::uint64_t notShown, size_t pieceCost);

    // The whole text in one stream as rich text; false when the control rejects it.
    bool PutAllAsRichText(HWND pane);
    // Puts the next piece in; false when the control reports an error. Past the first piece, the
    // text goes in at the caret, which the caller has put at the end (CaretToEnd), keeping the
    // user's view (KeptView).
    bool PutNext(HWND pane);
    bool Done() const noexcept { return next_ == text_.size(); }
    // Leaves out what has not gone in: from now on it counts as not shown.
    void Stop();

    // Adds the line that tells how much of the file is not in the pane, if any is missing.
    // Returns where it starts: the length of the file's text in the pane.
    LONG PutNote(HWND pane);

    // The shown part as far as it is to go in, and the bytes of the file after it.
    std::string_view Text() const noexcept { return text_; }
    std::uint64_t NotShown() const noexcept { return notShown_; }
    size_t BytesIn() const noexcept { return next_; }
    size_t BytesLeft() const noexcept { return text_.size() - next_; }
    std::uint64_t BreaksLeft() const noexcept { return breaks_ - breaksIn_; }

private:
    std::string text_;
    std::uint64_t breaks_;
    std::uint64_t notShown_;
    size_t pieceCost_;
    size_t next_ = 0;
    std::uint64_t breaksIn_ = 0;
    LineBreakConverter converter_;
};

}  // namespace viewer
