// The walk over characters and the tables made from a code page, in a double-byte code page
// shaped like Shift-JIS.
#include "platform/code_page.h"
#include "platform/upper_case_table.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

// Lead bytes 0x81-0x9F and 0xE0-0xFC. Upper-casing raises ASCII letters standing alone and the
// second byte of characters that begin with 0x82; it counts the calls made to it.
class ShiftJisLikeCodePage final : public platform::CodePage {
public:
    void UpperInPlace(char* text, size_t length) override {
        ++calls;
        auto* bytes = reinterpret_cast<unsigned char*>(text);
        for (size_t i = 0; i < length; ++i) {
            if (IsLeadByte(bytes[i]) && i + 1 < length) {
                if (bytes[i] == 0x82) bytes[i + 1] = Ascii(bytes[i + 1]);
                ++i;
            } else {
                bytes[i] = Ascii(bytes[i]);
            }
        }
    }
    bool HasLeadBytes() override { return true; }
    bool IsLeadByte(unsigned char byte) override { return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0; }
    int calls = 0;

private:
    static unsigned char Ascii(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }
};

}  // namespace

TEST(CharacterWalk, StepsOverTwoByteCharactersButNeverOverAZeroByte) {
    ShiftJisLikeCodePage cp;
    const std::string text = "a\x82\x61\x88\x88\x81\0b\x95"s;
    EXPECT_EQ(platform::CharacterLength(cp, text, 0), 1u);
    EXPECT_EQ(platform::CharacterLength(cp, text, 1), 2u);
    EXPECT_EQ(platform::CharacterLength(cp, text, 3), 2u) << "a second byte may itself look like a lead byte";
    EXPECT_EQ(platform::CharacterLength(cp, text, 5), 1u) << "a zero byte is no second byte";
    EXPECT_EQ(platform::CharacterLength(cp, text, 8), 1u) << "a lead byte at the end stands alone";
    EXPECT_EQ(platform::LastCharacterStart(cp, text), 8u);
    EXPECT_EQ(platform::LastCharacterStart(cp, "x\x88\x88"), 1u);
    EXPECT_EQ(platform::LastCharacterStart(cp, ""), 0u);
}

TEST(CharacterWalk, FindsTheLastDelimiterThatIsACharacterOfItsOwn) {
    ShiftJisLikeCodePage cp;
    EXPECT_EQ(platform::LastDelimiter("C:\\dir\\\x95\x5C", "\\:", cp), 6u);
    EXPECT_EQ(platform::LastDelimiter("C:\x95\x5C", "\\:", cp), 1u);
    EXPECT_EQ(platform::LastDelimiter("\x95\x5C", "\\", cp), std::string::npos);
}

TEST(UpperCaseTable, AgreesWithTheCodePageForEveryByteAndEveryTwoByteCharacter) {
    ShiftJisLikeCodePage cp;
    const platform::UpperCaseTable& table = cp.Table();
    ASSERT_TRUE(table.HasLeadBytes());
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        char alone = static_cast<char>(b);
        cp.UpperInPlace(&alone, 1);
        EXPECT_EQ(table.Single(byte), static_cast<unsigned char>(alone)) << b;
        EXPECT_EQ(table.IsLeadByte(byte), cp.IsLeadByte(byte)) << b;
        if (!cp.IsLeadByte(byte)) continue;
        for (int trail = 1; trail < 256; ++trail) {
            char pair[2] = {static_cast<char>(b), static_cast<char>(trail)};
            cp.UpperInPlace(pair, 2);
            const uint16_t expected = static_cast<uint16_t>((static_cast<unsigned char>(pair[0]) << 8) |
                                                            static_cast<unsigned char>(pair[1]));
            ASSERT_EQ(table.Pair(byte, static_cast<unsigned char>(trail)), expected) << b << " " << trail;
        }
    }
}

TEST(UpperCaseTable, IsMadeOnceForEachCodePage) {
    ShiftJisLikeCodePage cp;
    const platform::UpperCaseTable& first = cp.Table();
    const int calls = cp.calls;
    EXPECT_GT(calls, 0);
    EXPECT_EQ(&cp.Table(), &first);
    EXPECT_EQ(cp.calls, calls);
}

TEST(UpperCaseTable, OfASingleByteCodePageMapsEveryByte) {
    class Latin final : public platform::CodePage {
    public:
        void UpperInPlace(char* text, size_t length) override {
            for (size_t i = 0; i < length; ++i)
                if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 32);
        }
        bool HasLeadBytes() override { return false; }
        bool IsLeadByte(unsigned char) override { return false; }
    } cp;
    const platform::UpperCaseTable& table = cp.Table();
    EXPECT_FALSE(table.HasLeadBytes());
    EXPECT_EQ(table.Single('q'), 'Q');
    EXPECT_EQ(table.Single('Q'), 'Q');
    EXPECT_EQ(table.Single(0x82), 0x82);
    EXPECT_FALSE(table.IsLeadByte(0x82));
}
