#pragma once
// Text moved into the pane through the control's stream message, and the view kept meanwhile.
#include "viewer/line_break_converter.h"

#include <windows.h>
#include <richedit.h>

#include <string>
#include <string_view>

namespace viewer {

// A file's text as the control pulls it while it reads a stream: half of each offered buffer,
// so that the bytes with their line breaks made CR LF always fit. The converter is the caller's,
// so that a text handed out in several streams is converted as one.
class PlainTextSource {
public:
    PlainTextSource(std::string_view text, LineBreakConverter& converter) : text_(text), converter_(converter) {}
    // Fills at most `capacity` bytes of `buffer` and sets `produced`; 0 ends the stream. False is
    // an error, which ends the control's attempt.
    bool Read(char* buffer, LONG capacity, LONG& produced);

private:
    std::string_view text_;
    LineBreakConverter& converter_;
    size_t position_ = 0;
};

// Replaces the content with the stream read in `format` (SF_RTF or SF_TEXT); false when the
// control reports an error for the attempt.
bool StreamIn(HWND pane, UINT format, PlainTextSource& source);

// Puts the caret at the end of the text, where a stream read with SFF_SELECTION then adds its
// text and leaves the caret again (the control scrolls there); returns the caret's offset.
LONG CaretToEnd(HWND pane);

// Puts the selection and the view of the text back as they were when it was made, the painting
// held back meanwhile; the pane is painted again once, unless the caller knows that nothing in
// view changed (text added below it), which spares a paint that costs as much as the text added.
class KeptView {
public:
    explicit KeptView(HWND pane, bool repaint = true);
    ~KeptView();
    KeptView(const KeptView&) = delete;
    KeptView& operator=(const KeptView&) = delete;

private:
    HWND pane_;
    bool showing_;
    bool repaint_;
    CHARRANGE selection_{};
    POINT scroll_{};
};

}  // namespace viewer
