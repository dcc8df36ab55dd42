#include "viewer/pane_feed.h"

#include "viewer/pane_stream.h"
#include "viewer/shown_part.h"
#include "viewer/text_shape.h"

#include <richedit.h>

#include <string_view>

namespace viewer {

PaneFeed::PaneFeed(std::string text, std::uint64_t breaks, std::uint64_t notShown, size_t pieceCost)
    : text_(std::move(text)), breaks_(breaks), notShown_(notShown), pieceCost_(pieceCost) {}

bool PaneFeed::PutAllAsRichText(HWND pane) {
    LineBreakConverter converter;
    PlainTextSource source(text_, converter);
    if (!StreamIn(pane, SF_RTF, source)) return false;
    next_ = text_.size();
    breaksIn_ = breaks_;
    return true;
}

bool PaneFeed::PutNext(HWND pane) {
    const std::string_view text = text_;
    // The first piece, which the click waits for, is a quarter: more than a screen, and where the
    // control has to show a bar of its own it lays out only that much again.
    const size_t end = PieceEnd(text, next_, next_ == 0 ? pieceCost_ / 4 : pieceCost_);
    const std::string_view piece = text.substr(next_, end - next_);
    PlainTextSource source(piece, converter_);
    if (!StreamIn(pane, next_ == 0 ? SF_TEXT : SF_TEXT | SFF_SELECTION, source)) return false;
    TextShapeScanner scanner;
    scanner.Add(piece.data(), piece.size());
    breaksIn_ += scanner.Shape().breaks;
    next_ = end;
    return true;
}

void PaneFeed::Stop() {
    notShown_ += BytesLeft();
    text_.resize(next_);
    breaks_ = breaksIn_;
}

LONG PaneFeed::PutNote(HWND pane) {
    KeptView kept(pane);
    const LONG start = CaretToEnd(pane);
    const std::uint64_t missing = notShown_ + BytesLeft();
    if (missing == 0) return start;
    const bool onItsOwnLine = next_ == 0 || text_[next_ - 1] == '\r' || text_[next_ - 1] == '\n';
    const std::string note = (onItsOwnLine ? "" : "\r\n") + NotShownNote(missing);
    // The grey goes first, as the format of what is put in next: a format set over text already in
    // would lay out its line once more, which for a long line costs as much as the line did.
    CHARFORMATA grey{};
    grey.cbSize = sizeof grey;
    grey.dwMask = CFM_COLOR;
    grey.crTextColor = ::GetSysColor(COLOR_GRAYTEXT);
    ::SendMessageA(pane, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&grey));
    // A short text, which the control takes at once (streamed in after pieces, Wine's control
    // does not come back).
    ::SendMessageA(pane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(note.c_str()));
    return start;
}

}  // namespace viewer
