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

// Content held in memory, handed out as it is.
class MemorySource final : public StreamSource {
public:
    explicit MemorySource(std::string_view content) : content_(content) {}
    bool Read(char* buffer, LONG capacity, LONG& produced) override;
    bool Rewind() override;

private:
    std::string_view content_;
    size_t position_ = 0;
};

// Replaces the content with the stream read in `format` (SF_RTF or SF_TEXT); false when the
// control reports an error for the attempt.
bool StreamIn(HWND pane, UINT format, StreamSource& source);

// The whole content as rich text; throws EOutOfResources "Failed to Save Stream".
std::string StreamOutRich(HWND pane);

}  // namespace viewer
