// Path scanning must step over whole double-byte characters, whose second byte may be 0x5C.
#include "browse/path_text.h"

#include <gtest/gtest.h>

namespace {

// A double-byte code page in the manner of Shift-JIS: lead bytes 0x81-0x9F, ASCII upper-casing.
class TwoByteCodePage : public platform::CodePage {
public:
    void UpperInPlace(char* text, size_t length) override {
        for (size_t i = 0; i < length; ++i) {
            if (IsLeadByte(static_cast<unsigned char>(text[i]))) ++i;
            else if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
        }
    }
    bool HasLeadBytes() override { return true; }
    bool IsLeadByte(unsigned char byte) override { return byte >= 0x81 && byte <= 0x9F; }
};

const std::string kTable = "\x95\x5C";  // one character whose second byte is a backslash

TEST(PathTextTest, ATrailByteIsNoBackslash) {
    TwoByteCodePage cp;
    EXPECT_FALSE(browse::EndsWithBackslash("C:\\" + kTable, cp));
    EXPECT_TRUE(browse::EndsWithBackslash("C:\\" + kTable + "\\", cp));
    EXPECT_EQ(browse::LastDelimiter("C:\\dir\\" + kTable, "\\:", cp), 6u);
    EXPECT_EQ(browse::NextBackslash("\\\\" + kTable + "x\\share", 2, cp), 5u);
    EXPECT_EQ(browse::LastDelimiter("name", "\\:", cp), std::string::npos);
}

TEST(PathTextTest, FileNamesCompareWithoutRegardToLetterCaseOnly) {
    TwoByteCodePage cp;
    EXPECT_TRUE(browse::SameFileName("C:\\Data\\File.TXT", "c:\\data\\file.txt", cp));
    EXPECT_FALSE(browse::SameFileName("C:\\Data", "C:\\Data\\", cp));
    // Upper-casing must not touch the trail byte of a double-byte character ("a" pairs with 0x81).
    EXPECT_FALSE(browse::SameFileName("\x81\x61", "\x81\x41", cp));
    EXPECT_TRUE(browse::SameFileName("ss.txt", "SS.TXT"));
    EXPECT_FALSE(browse::SameFileName("ss.txt", "\xDF.txt"));
}

}  // namespace
