// The rewrite in a real double-byte code page: Shift-JIS as Windows has it (code page 932).
// These run only in the run made for it; the first test checks that every run has the code
// page it expects.
#include "replace/replace_all_ignoring_case.h"
#include "replace/replace_in_file.h"

#include "support/code_page_run.h"
#include "support/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

using replace::ReplaceAllIgnoringCase;
using test_support::ExpectedCodePage;
using namespace std::string_literals;

namespace {

class CodePage932Test : public testing::Test {
protected:
    void SetUp() override {
        if (ExpectedCodePage() != 932) GTEST_SKIP() << "runs in the code page 932 run only";
    }
};

// UTF-16LE with its byte-order mark.
std::string Utf16(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

}  // namespace

TEST_F(CodePage932Test, AZeroByteAfterALeadByteEndsTheText) {
    EXPECT_EQ(ReplaceAllIgnoringCase("\x81\0a"s, "a", ""), "\x81\0a"s);
    EXPECT_EQ(ReplaceAllIgnoringCase("a\x81\0a"s, "A", "b"), "b\x81\0a"s);
    // The search text ends at its zero byte too, so here it is the lead byte alone, which the
    // first byte of the character 0x81 0x46 matches; the occurrence still removes three bytes.
    EXPECT_EQ(ReplaceAllIgnoringCase("x\x81\x46yz"s, "\x81\0z"s, "#"), "x#z");
}

TEST_F(CodePage932Test, AUtf16FileOfAccentedLettersIsNeverChanged) {
    // 0xE0-0xFC are lead bytes here, each followed by the zero byte of its UTF-16 unit.
    std::wstring letters;
    for (wchar_t c = L'\u00E0'; c <= L'\u00FC'; ++c) letters += c;
    const std::string bytes = Utf16(letters + L" a text after them, and a");
    test_support::TempFolder folder, journal;
    const platform::Path path = folder.WriteFile("utf16.txt", bytes);
    replace::ReplaceInFile(path, "a", "", journal.Path());
    EXPECT_EQ(test_support::ReadFileBytes(path), bytes);
}

TEST_F(CodePage932Test, ASecondByteThatLooksLikeALetterIsNoOccurrence) {
    // 0x83 0x61 is one katakana character; its second byte is the code of "a".
    EXPECT_EQ(ReplaceAllIgnoringCase("\x83\x61", "a", "x"), "\x83\x61");
    EXPECT_EQ(ReplaceAllIgnoringCase("\x83\x61" "a\x83\x61", "A", "x"), "\x83\x61x\x83\x61");
    // A backslash (0x5C) as a second byte is no backslash either.
    EXPECT_EQ(ReplaceAllIgnoringCase("\x95\x5C\\", "\\", "/"), "\x95\x5C/");
}

TEST_F(CodePage932Test, TwoByteLettersMatchTheirOtherCase) {
    // Full-width "a" and "A", Greek alpha and Alpha, Cyrillic a and A.
    EXPECT_EQ(ReplaceAllIgnoringCase("\x82\x81 \x82\x60", "\x82\x81", "1"), "1 1");
    EXPECT_EQ(ReplaceAllIgnoringCase("\x83\xBF\x83\x9F", "\x83\x9F", "2"), "22");
    EXPECT_EQ(ReplaceAllIgnoringCase("\x84\x70\x84\x40", "\x84\x70", "3"), "33");
    // The single-byte katakana (0xA1-0xDF) are no lead bytes and stand as they are.
    EXPECT_EQ(ReplaceAllIgnoringCase("\xB1\xB2 ab", "AB", "4"), "\xB1\xB2 4");
}
