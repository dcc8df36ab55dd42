#pragma once
// The system's ANSI code page: its length-keeping upper-case mapping, its lead bytes, and the
// walk over its characters.
#include <cstddef>
#include <memory>
#include <mutex>
#include <string_view>

namespace platform {

class UpperCaseTable;

class CodePage {
public:
    CodePage();
    virtual ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    // Upper-cases `length` bytes in place, character by character; never changes the length.
    virtual void UpperInPlace(char* text, size_t length) = 0;
    // True where the code page has two-byte characters at all.
    virtual bool HasLeadBytes() = 0;
    virtual bool IsLeadByte(unsigned char byte) = 0;

    // The two as tables, for code that looks at every byte: made on first use, then kept.
    const UpperCaseTable& Table();

private:
    std::once_flag tableMade_;
    std::unique_ptr<UpperCaseTable> table_;
};

// The system's ANSI code page through CharUpperBuffA and IsDBCSLeadByte.
CodePage& SystemCodePage();

// The walk over characters, for every place that must not take a second byte for a character
// of its own (0x5C, a backslash, can be one). The character at `at` takes two bytes when it
// begins with a lead byte and a second byte follows; a zero byte ends a text whatever stands
// before it, so it is never a second byte.
template <typename LeadTest>
size_t CharacterLength(std::string_view text, size_t at, const LeadTest& isLeadByte) {
    return at + 1 < text.size() && text[at + 1] != '\0' && isLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
}
inline size_t CharacterLength(CodePage& codePage, std::string_view text, size_t at) {
    return CharacterLength(text, at, [&codePage](unsigned char byte) { return codePage.IsLeadByte(byte); });
}
// Where the last character of `text` begins; 0 for an empty text.
size_t LastCharacterStart(CodePage& codePage, std::string_view text);
// Where the last character of `text` that is one of `delimiters` stands, or npos.
size_t LastDelimiter(std::string_view text, std::string_view delimiters, CodePage& codePage = SystemCodePage());

}  // namespace platform
