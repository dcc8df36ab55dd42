#pragma once
// The pane's whole content moved in and out through the control's stream messages.
#include <windows.h>

#include <string>
#include <string_view>

namespace viewer {

// Where the control pulls content from while it reads a stream.
class StreamSource {
public:
    virtual ~StreamSource() = default;
    // Fills at most `capacity` bytes of `buffer` and sets `produced`; 0 ends the stream. False is
    // an error, which ends the control's attempt.
    virtual bool Read(char* buffer, LONG capacity, LONG& produced) = 0;
    // Goes back to the first byte for another attempt; false when it cannot.
    virtual bool Rewind() = 0;
};

// Replaces the content, read as rich text first and as plain text when the control rejects that.
// Throws EOutOfResources "Failed to Load Stream" when both attempts fail.
void StreamInRichOrPlain(HWND pane, StreamSource& source);
void StreamInRichOrPlain(HWND pane, std::string_view content);

// The whole content as rich text; throws EOutOfResources "Failed to Save Stream".
std::string StreamOutRich(HWND pane);

}  // namespace viewer
