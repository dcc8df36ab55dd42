// The message dialog's buttons: their order, which answers Enter and Esc, and their access keys.
#include "dialogs/message_table.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace dialogs;

namespace {
std::vector<std::string> Captions(ButtonSet set) {
    std::vector<std::string> captions;
    for (int b : ButtonsIn(set)) captions.push_back(ButtonAt(b).caption);
    return captions;
}

const char* CaptionOr(int button, const char* none) { return button < 0 ? none : ButtonAt(button).caption; }
}  // namespace

TEST(MessageTable, KindOutsideTheTableIsRefused) {
    EXPECT_THROW(KindOf(static_cast<MessageKind>(5)), std::out_of_range);
    EXPECT_THROW(KindOf(static_cast<MessageKind>(-1)), std::out_of_range);
}

TEST(MessageTable, ButtonsStandInTableOrderWhateverTheBits) {
    EXPECT_EQ(Captions(button::Help | button::Cancel | button::Yes | button::OK),
              (std::vector<std::string>{"&Yes", "OK", "Cancel", "&Help"}));
    EXPECT_TRUE(ButtonsIn(0).empty());
    EXPECT_TRUE(ButtonsIn(4096).empty());
}

TEST(MessageTable, DefaultAndCancelMarks) {
    struct Case {
        ButtonSet set;
        const char* defaultButton;
        const char* cancelButton;
    } cases[] = {
        {button::OK, "OK", "OK"},
        {button::OK | button::Cancel, "OK", "Cancel"},
        {button::Yes | button::No, "&Yes", "&No"},
        {button::Yes | button::No | button::Cancel, "&Yes", "Cancel"},
        {button::Abort | button::Retry | button::Ignore, "&Retry", "none"},
        {button::Retry | button::Cancel, "&Retry", "Cancel"},
        {button::Ignore | button::All, "none", "none"},
        {0, "none", "none"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(CaptionOr(DefaultButtonOf(c.set), "none"), c.defaultButton) << c.set;
        EXPECT_STREQ(CaptionOr(CancelButtonOf(c.set), "none"), c.cancelButton) << c.set;
    }
}

TEST(MessageTable, AccessLettersFollowTheAmpersand) {
    EXPECT_EQ(AccessKeyOf("&Yes"), 'Y');
    EXPECT_EQ(AccessKeyOf("N&o to All"), 'o');
    EXPECT_EQ(AccessKeyOf("Yes to &All"), 'A');
    EXPECT_EQ(AccessKeyOf("OK"), 0);
    EXPECT_EQ(AccessKeyOf("Trailing&"), 0);
}

TEST(MessageTable, AccessLetterFindsTheFirstButtonInEitherCase) {
    std::vector<int> yesNo = ButtonsIn(button::Yes | button::No);
    EXPECT_EQ(FindAccessKey(yesNo, 'n'), 1);
    EXPECT_EQ(FindAccessKey(yesNo, 'N'), 1);
    EXPECT_EQ(FindAccessKey(yesNo, 'y'), 0);
    EXPECT_EQ(FindAccessKey(yesNo, 'o'), -1);
    EXPECT_EQ(FindAccessKey(ButtonsIn(button::OK | button::Cancel), 'c'), -1);
    EXPECT_EQ(FindAccessKey(ButtonsIn(button::Abort | button::All | button::YesToAll), 'a'), 0);
    EXPECT_EQ(FindAccessKey(ButtonsIn(button::No | button::NoToAll), 'o'), 1);
    EXPECT_EQ(FindAccessKey(yesNo, 0), -1);
}

TEST(MessageTable, CopyTextDropsEveryAmpersandOfTheCaptions) {
    std::wstring text = MessageCopyText(L"Confirm", L"Go on?", {"&Yes", "N&o to All", "A&&B"});
    EXPECT_NE(text.find(L"\r\nYes   No to All   AB   \r\n"), std::wstring::npos);
}
