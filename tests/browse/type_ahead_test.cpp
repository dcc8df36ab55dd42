// The type-ahead prefix: characters typed close together build it, a pause of 500 ms starts it
// afresh, Backspace takes back one whole character.
#include "browse/type_ahead.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// U+1F600, which arrives as two UTF-16 units, one message each.
constexpr wchar_t kLeadHalf = 0xD83D, kTrailHalf = 0xDE00;

class TypeAheadTest : public ::testing::Test {
protected:
    const std::wstring& Type(wchar_t character, DWORD now) {
        typeAhead.Type(character, now);
        return typeAhead.Prefix();
    }

    browse::TypeAhead typeAhead;
};

TEST_F(TypeAheadTest, CharactersLessThan500MsApartBuildThePrefix) {
    EXPECT_EQ(Type(L'a', 10000), L"a");
    EXPECT_EQ(Type(L'p', 10499), L"ap");
    EXPECT_EQ(Type(L'r', 10998), L"apr");
}

TEST_F(TypeAheadTest, A500MsPauseStartsAFreshPrefix) {
    Type(L'a', 10000);
    Type(L'p', 10100);
    EXPECT_EQ(Type(L'c', 10600), L"c");
    EXPECT_EQ(Type(L'd', 20000), L"d");
}

TEST_F(TypeAheadTest, ThePauseIsMeasuredAcrossTheTickCountWrappingAround) {
    Type(L'a', 0xFFFFFF00u);
    EXPECT_EQ(Type(L'b', 0x00000010u), L"ab") << "0x110 ticks apart";
    EXPECT_EQ(Type(L'c', 0x00000010u + 500), L"c");
}

TEST_F(TypeAheadTest, ACharacterBeyondTheBasicPlaneIsAddedWhole) {
    Type(kLeadHalf, 10000);
    EXPECT_EQ(Type(kTrailHalf, 10000), L"\U0001F600");
    EXPECT_EQ(Type(L'x', 10100), L"\U0001F600x");
}

TEST_F(TypeAheadTest, BackspaceRemovesTheLastCharacter) {
    Type(L'a', 10000);
    Type(L'b', 10100);
    Type(L'c', 10200);
    EXPECT_EQ(Type(L'\b', 10300), L"ab");
    EXPECT_EQ(Type(L'd', 10400), L"abd");
}

TEST_F(TypeAheadTest, BackspaceRemovesBothHalvesOfACharacterBeyondTheBasicPlane) {
    Type(L'a', 10000);
    Type(kLeadHalf, 10100);
    Type(kTrailHalf, 10100);
    EXPECT_EQ(Type(L'\b', 10200), L"a");
}

TEST_F(TypeAheadTest, BackspaceToNothingAndBeyondLeavesAnEmptyPrefix) {
    Type(L'a', 10000);
    EXPECT_EQ(Type(L'\b', 10100), L"");
    EXPECT_EQ(Type(L'\b', 10200), L"");
    EXPECT_EQ(Type(L'z', 10300), L"z");
}

TEST_F(TypeAheadTest, BackspaceAfterAPauseFindsAnEmptyPrefix) {
    Type(L'a', 10000);
    Type(L'b', 10100);
    EXPECT_EQ(Type(L'\b', 10600), L"");
}

}  // namespace
