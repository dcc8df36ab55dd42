#pragma once
// The pane's whole content moved in and out through the control's stream messages.
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

// Adds the plain text of `source` at the end of the content, in the default format or in
// `format` when one is given. The selection and the part of the text in view stay as they were;
// the pane is painted again once. False when the control reports an error.
bool StreamInAtEnd(HWND pane, PlainTextSource& source, const CHARFORMATA* format = nullptr);

// The whole content as rich text; throws EOutOfResources "Failed to Save Stream".
std::string StreamOutRich(HWND pane);

}  // namespace viewer
