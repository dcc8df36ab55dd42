// The type-ahead prefix: characters typed close together build it, a pause of 500 ms starts it
// afresh, Backspace takes back one whole character.
#include "browse/type_ahead.h"
#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A code page shaped like Shift-JIS: 0x81-0x9F and 0xE0-0xFC begin two-byte characters, whose
// second byte may itself be in that range.
class TwoByteCodePage final : public platform::CodePage {
public:
    void UpperInPlace(char*, size_t) override {}
    bool HasLeadBytes() override { return true; }
    bool IsLeadByte(unsigned char byte) override { return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0; }
};

class TypeAheadTest : public ::testing::Test {
protected:
    const std::string& Type(const std::string& character, DWORD now) {
        typeAhead.Type(character, now, codePage);
        return typeAhead.Prefix();
    }

    TwoByteCodePage codePage;
    browse::TypeAhead typeAhead;
};

TEST_F(TypeAheadTest, CharactersLessThan500MsApartBuildThePrefix) {
    EXPECT_EQ(Type("a", 10000), "a");
    EXPECT_EQ(Type("p", 10499), "ap");
    EXPECT_EQ(Type("r", 10998), "apr");
}

TEST_F(TypeAheadTest, A500MsPauseStartsAFreshPrefix) {
    Type("a", 10000);
    Type("p", 10100);
    EXPECT_EQ(Type("c", 10600), "c");
    EXPECT_EQ(Type("d", 20000), "d");
}

TEST_F(TypeAheadTest, ThePauseIsMeasuredAcrossTheTickCountWrappingAround) {
    Type("a", 0xFFFFFF00u);
    EXPECT_EQ(Type("b", 0x00000010u), "ab") << "0x110 ticks apart";
    EXPECT_EQ(Type("c", 0x00000010u + 500), "c");
}

TEST_F(TypeAheadTest, AnEmptyCharacterAddsNothingButCountsAsTyped) {
    Type("a", 10000);
    EXPECT_EQ(Type("", 10400), "a");
    // 800 ms after the first character, but only 400 after the empty one.
    EXPECT_EQ(Type("b", 10800), "ab");
}

TEST_F(TypeAheadTest, ATwoByteCharacterIsAddedWhole) {
    EXPECT_EQ(Type("\x82\xA0", 10000), "\x82\xA0");
    EXPECT_EQ(Type("x", 10100), "\x82\xA0x");
}

TEST_F(TypeAheadTest, BackspaceRemovesTheLastCharacter) {
    Type("a", 10000);
    Type("b", 10100);
    Type("c", 10200);
    EXPECT_EQ(Type("\b", 10300), "ab");
    EXPECT_EQ(Type("d", 10400), "abd");
}

TEST_F(TypeAheadTest, BackspaceRemovesBothBytesOfATwoByteCharacter) {
    Type("a", 10000);
    Type("\x82\xA0", 10100);
    EXPECT_EQ(Type("\b", 10200), "a");
}

TEST_F(TypeAheadTest, BackspaceFindsCharacterBoundsFromTheStart) {
    // 0x88 0x88 is one character; its second byte looks like a lead byte, so the "b" after it
    // must not be taken for the second half of a character beginning there.
    Type("\x88\x88", 10000);
    Type("b", 10100);
    EXPECT_EQ(Type("\b", 10200), "\x88\x88");
    EXPECT_EQ(Type("\b", 10300), "");
}

TEST_F(TypeAheadTest, BackspaceToNothingAndBeyondLeavesAnEmptyPrefix) {
    Type("a", 10000);
    EXPECT_EQ(Type("\b", 10100), "");
    EXPECT_EQ(Type("\b", 10200), "");
    EXPECT_EQ(Type("z", 10300), "z");
}

TEST_F(TypeAheadTest, BackspaceAfterAPauseFindsAnEmptyPrefix) {
    Type("a", 10000);
    Type("b", 10100);
    EXPECT_EQ(Type("\b", 10600), "");
}

}  // namespace
