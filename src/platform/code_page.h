#pragma once
// The system's ANSI code page: its length-keeping upper-case mapping and its lead bytes.
#include <cstddef>

namespace platform {

class CodePage {
public:
    virtual ~CodePage() = default;
    // Upper-cases `length` bytes in place, character by character; never changes the length.
    virtual void UpperInPlace(char* text, size_t length) = 0;
    // True where the code page has two-byte characters at all.
    virtual bool HasLeadBytes() = 0;
    virtual bool IsLeadByte(unsigned char byte) = 0;
};

// The system's ANSI code page through CharUpperBuffA and IsDBCSLeadByte.
CodePage& SystemCodePage();

}  // namespace platform
