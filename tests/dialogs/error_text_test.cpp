#include "dialogs/error_text.h"
#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

using dialogs::WithFullStop;

// A code page without two-byte characters.
class SingleByteCodePage : public platform::CodePage {
public:
    void UpperInPlace(char*, size_t) override {}
    bool HasLeadBytes() override { return false; }
    bool IsLeadByte(unsigned char) override { return false; }
};

// A two-byte code page whose lead bytes are 0x81..0x9F; its trail bytes may be any byte,
// a full stop included, which is what makes the last character's start matter.
class TwoByteCodePage : public platform::CodePage {
public:
    void UpperInPlace(char*, size_t) override {}
    bool HasLeadBytes() override { return true; }
    bool IsLeadByte(unsigned char byte) override { return byte >= 0x81 && byte <= 0x9F; }
};

TEST(WithFullStop, AddsOneAfterALetterADigitAQuestionMarkOrAColon) {
    SingleByteCodePage cp;
    EXPECT_EQ(WithFullStop("Stream write error", cp), "Stream write error.");
    EXPECT_EQ(WithFullStop("I/O error 32", cp), "I/O error 32.");
    EXPECT_EQ(WithFullStop("Why?", cp), "Why?.");
    EXPECT_EQ(WithFullStop("Reason:", cp), "Reason:.");
    EXPECT_EQ(WithFullStop("a/", cp), "a/.");  // 0x2F, the first code above the full stop
    EXPECT_EQ(WithFullStop("caf\xE9", cp), "caf\xE9.");
}

TEST(WithFullStop, AddsNoneAfterCodesUpToTheFullStop) {
    SingleByteCodePage cp;
    EXPECT_EQ(WithFullStop("Done.", cp), "Done.");
    EXPECT_EQ(WithFullStop("Stop!", cp), "Stop!");
    EXPECT_EQ(WithFullStop("List index out of bounds (7)", cp), "List index out of bounds (7)");
    EXPECT_EQ(WithFullStop("Cannot open file \"C:\\a.txt\"", cp), "Cannot open file \"C:\\a.txt\"");
    EXPECT_EQ(WithFullStop("trailing ", cp), "trailing ");
    EXPECT_EQ(WithFullStop("a-", cp), "a-");
    EXPECT_EQ(WithFullStop("a,", cp), "a,");
}

TEST(WithFullStop, LeavesAnEmptyMessageEmpty) {
    SingleByteCodePage cp;
    EXPECT_EQ(WithFullStop("", cp), "");
}

TEST(WithFullStop, JudgesTheLastWholeCharacterInATwoByteCodePage) {
    TwoByteCodePage cp;
    // The last character is the pair 0x82 0x2E, whose code is above the full stop's.
    EXPECT_EQ(WithFullStop("x\x82.", cp), "x\x82..");
    EXPECT_EQ(WithFullStop("\x82\xA0", cp), "\x82\xA0.");
    // 0x82 0x82 is one character, so the final '.' stands alone and is a full stop.
    EXPECT_EQ(WithFullStop("\x82\x82.", cp), "\x82\x82.");
    EXPECT_EQ(WithFullStop("\x82\x82!", cp), "\x82\x82!");
    // A lead byte with nothing after it is a character of its own.
    EXPECT_EQ(WithFullStop("ab\x82", cp), "ab\x82.");
    // The same bytes in a single-byte code page end with a plain full stop.
    SingleByteCodePage single;
    EXPECT_EQ(WithFullStop("x\x82.", single), "x\x82.");
}

TEST(LastChanceText, FollowsTheFixedFormat) {
    std::string text = dialogs::LastChanceText("EFOpenError", "SearchReplace.exe", nullptr, "Cannot open AVI");
    const std::string head = "Exception EFOpenError in module SearchReplace.exe at ";
    ASSERT_EQ(text.compare(0, head.size(), head), 0) << text;
    const std::string tail = ".\r\nCannot open AVI.\r\n";
    ASSERT_GT(text.size(), head.size() + tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    // Between them: the address, in hexadecimal digits.
    std::string address = text.substr(head.size(), text.size() - head.size() - tail.size());
    EXPECT_FALSE(address.empty());
    EXPECT_EQ(address.find_first_not_of("0123456789ABCDEFabcdefx"), std::string::npos) << address;
}

TEST(LastChanceText, ShowsTheAddressWithinTheModule) {
    std::string text = dialogs::LastChanceText("EError", "m.exe", reinterpret_cast<const void*>(0x1A2B), "x");
    std::string upper = text;
    for (char& c : upper) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    EXPECT_NE(upper.find("1A2B."), std::string::npos) << text;
}

TEST(LastChanceText, AddsAFullStopOnlyWhenTheMessageLacksOne) {
    auto body = [&](const std::string& message) {
        std::string text = dialogs::LastChanceText("E", "m.exe", nullptr, message);
        return text.substr(text.find(".\r\n") + 3);
    };
    EXPECT_EQ(body("Done."), "Done.\r\n");
    EXPECT_EQ(body("Stop!"), "Stop!.\r\n");  // a different rule from the error box's
    EXPECT_EQ(body("Why?"), "Why?.\r\n");
    EXPECT_EQ(body(""), "\r\n");
}

}  // namespace
