#include "replace/replace_all_ignoring_case.h"

#include "support/code_page_run.h"

#include <windows.h>

#include <gtest/gtest.h>

using replace::ReplaceAllIgnoringCase;
using namespace std::string_literals;

TEST(ReplaceAllIgnoringCase, ReplacesEveryCaseVariantWithTheTextAsTyped) {
    EXPECT_EQ(ReplaceAllIgnoringCase("Hello HELLO hello", "hello", "Bye"), "Bye Bye Bye");
    EXPECT_EQ(ReplaceAllIgnoringCase("xHeLLoy", "HELLO", "hI"), "xhIy");
}

TEST(ReplaceAllIgnoringCase, TakesOccurrencesLeftToRightWithoutOverlap) {
    EXPECT_EQ(ReplaceAllIgnoringCase("aaa", "AA", "b"), "ba");
    EXPECT_EQ(ReplaceAllIgnoringCase("aAaAa", "aa", "-"), "--a");
}

TEST(ReplaceAllIgnoringCase, NeverSearchesTheInsertedTextAgain) {
    EXPECT_EQ(ReplaceAllIgnoringCase("cat cat", "cat", "cats"), "cats cats");
    EXPECT_EQ(ReplaceAllIgnoringCase("aa", "a", "aa"), "aaaa");
}

TEST(ReplaceAllIgnoringCase, CopiesEverythingBetweenOccurrencesUnchanged) {
    const std::string text = "\tMix\r\n\x80\xFF mIX\xE0\n";
    EXPECT_EQ(ReplaceAllIgnoringCase(text, "mix", "m"), "\tm\r\n\x80\xFF m\xE0\n");
    EXPECT_EQ(ReplaceAllIgnoringCase(text, "absent", "x"), text);
}

TEST(ReplaceAllIgnoringCase, MatchesAccentedLettersOfTheAnsiCodePage) {
    if (test_support::ExpectedCodePage() != 1252) GTEST_SKIP() << "written for Windows-1252";
    ASSERT_EQ(::GetACP(), 1252u) << "these cases are written for Windows-1252, Wine's default here";
    EXPECT_EQ(ReplaceAllIgnoringCase("caf\xE9 CAF\xC9 cafe", "caf\xC9", "tea"), "tea tea cafe");
    EXPECT_EQ(ReplaceAllIgnoringCase("\xE9t\xE9", "\xC9T\xC9", "x"), "x");
}

TEST(ReplaceAllIgnoringCase, ReplacesOnlyBeforeTheFirstZeroByte) {
    EXPECT_EQ(ReplaceAllIgnoringCase("ab ab\0ab"s, "AB", "x"), "x x\0ab"s);
    EXPECT_EQ(ReplaceAllIgnoringCase("\0ab"s, "ab", "x"), "\0ab"s);
}

TEST(ReplaceAllIgnoringCase, MatchesTheSearchTextUpToItsZeroByteButRemovesItsWholeLength) {
    EXPECT_EQ(ReplaceAllIgnoringCase("abcdef"s, "ab\0z"s, "X"), "Xef");
    EXPECT_EQ(ReplaceAllIgnoringCase("xab"s, "ab\0zz"s, "X"), "xX");
    // The removal can jump over the zero byte that ended the search, which then goes on behind it.
    EXPECT_EQ(ReplaceAllIgnoringCase("ab\0\0\0ab"s, "ab\0cd"s, "X"), "XX");
}

TEST(ReplaceAllIgnoringCase, EmptyTextOrSearchTextChangesNothing) {
    EXPECT_EQ(ReplaceAllIgnoringCase("", "a", "b"), "");
    EXPECT_EQ(ReplaceAllIgnoringCase("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAllIgnoringCase("a\0bc"s, "\0b"s, "x"), "a\0bc"s);
}

TEST(ReplaceAllIgnoringCase, FindsOccurrencesAtAnyOffsetOfALongText) {
    std::string text, expected;
    for (size_t gap : {0, 1, 5, 7, 8, 9, 15, 16, 64, 300}) {
        text += std::string(gap, '.') + "NeE";
        expected += std::string(gap, '.') + "#";
    }
    text += ".ne";
    expected += ".ne";
    EXPECT_EQ(ReplaceAllIgnoringCase(text, "nee", "#"), expected);
}
