#include "dialogs/error_text.h"

#include <gtest/gtest.h>

namespace {

using dialogs::WithFullStop;

TEST(WithFullStop, AddsOneOnlyAfterACharacterWhoseCodeIsAboveTheFullStop) {
    const struct {
        const wchar_t* message;
        const wchar_t* shown;
    } cases[] = {
        {L"Stream write error", L"Stream write error."},
        {L"I/O error 32", L"I/O error 32."},
        {L"Why?", L"Why?."},
        {L"Reason:", L"Reason:."},
        {L"a/", L"a/."},  // 0x2F, the first code above the full stop
        {L"caf\u00E9", L"caf\u00E9."},
        {L"\u65E5\u672C\u8A9E", L"\u65E5\u672C\u8A9E."},
        {L"Done.", L"Done."},
        {L"Stop!", L"Stop!"},
        {L"List index out of bounds (7)", L"List index out of bounds (7)"},
        {L"Cannot open file \"C:\\a.txt\"", L"Cannot open file \"C:\\a.txt\""},
        {L"trailing ", L"trailing "},
        {L"a-", L"a-"},
        {L"a,", L"a,"},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(WithFullStop(c.message), c.shown) << testing::PrintToString(c.message);
}

TEST(LastChanceText, FollowsTheFixedFormat) {
    std::wstring text = dialogs::LastChanceText("EFOpenError", L"SearchReplace.exe", L"Cannot open AVI");
    const std::wstring head = L"Exception EFOpenError in module SearchReplace.exe at ";
    ASSERT_EQ(text.compare(0, head.size(), head), 0);
    const std::wstring tail = L".\r\nCannot open AVI.\r\n";
    ASSERT_GT(text.size(), head.size() + tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    // Between them: the address, in hexadecimal digits.
    std::wstring address = text.substr(head.size(), text.size() - head.size() - tail.size());
    EXPECT_FALSE(address.empty());
    EXPECT_EQ(address.find_first_not_of(L"0123456789ABCDEFabcdefx"), std::wstring::npos);
}

TEST(LastChanceText, AddsAFullStopOnlyWhenTheMessageLacksOne) {
    auto body = [&](const std::wstring& message) {
        std::wstring text = dialogs::LastChanceText("E", L"m.exe", message);
        return text.substr(text.find(L".\r\n") + 3);
    };
    EXPECT_EQ(body(L"Done."), L"Done.\r\n");
    EXPECT_EQ(body(L"Stop!"), L"Stop!.\r\n");  // a different rule from the error box's
    EXPECT_EQ(body(L"Why?"), L"Why?.\r\n");
    EXPECT_EQ(body(L""), L"\r\n");
}

}  // namespace
