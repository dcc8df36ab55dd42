// The message dialog answered through its window as a person would, under a real window manager.
#include "support/dialog_driver.h"
#include "dialogs/message_dialog.h"
#include "widgets/application.h"

#include <gtest/gtest.h>

using namespace dialogs;
using test_support::DialogAnswer;
using test_support::DialogClass;
using test_support::SeenDialog;

namespace {

struct Asked {
    int result;
    bool answered;
    std::string failure;
    std::vector<SeenDialog> seen;
};

Asked Ask(MessageKind kind, ButtonSet buttons, std::vector<DialogAnswer> answers, const std::wstring& text = L"Go on?",
          DWORD timeoutMs = 10000) {
    test_support::DialogDriver driver(std::move(answers), timeoutMs);
    int result = ShowMessageDialog(text, kind, buttons);
    bool answered = driver.Finish();
    return {result, answered, driver.Failure(), driver.Seen()};
}

bool QuitIsWaiting() {
    MSG msg;
    return ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

class MessageDialogTest : public ::testing::Test {
protected:
    widgets::Application application{"Zavotek - Search & Replace"};
};

struct KeyCase {
    const char* what;
    MessageKind kind;
    ButtonSet buttons;
    std::vector<DialogAnswer> answers;
    int expected;
};

void Check(const std::vector<KeyCase>& cases) {
    for (const KeyCase& c : cases) {
        Asked asked = Ask(c.kind, c.buttons, c.answers);
        EXPECT_TRUE(asked.answered) << c.what << ": " << asked.failure;
        EXPECT_EQ(asked.result, c.expected) << c.what;
    }
}

constexpr int kVkN = 'N', kVkY = 'Y';

}  // namespace

TEST_F(MessageDialogTest, InformationBoxAnswers) {
    const MessageKind info = MessageKind::Information;
    Check({
        {"Enter", info, button::OK, {DialogAnswer::Key(VK_RETURN)}, result::OK},
        {"Esc presses OK, the cancel button", info, button::OK, {DialogAnswer::Key(VK_ESCAPE)}, result::OK},
        {"click on OK", info, button::OK, {DialogAnswer::Click("OK")}, result::OK},
        {"space on the focused OK", info, button::OK, {DialogAnswer::Key(VK_SPACE)}, result::OK},
        {"close box", info, button::OK, {DialogAnswer::CloseBox()}, result::Cancel},
        {"Alt+F4", info, button::OK, {DialogAnswer::Key(VK_F4, test_support::kAlt)}, result::Cancel},
    });
}

TEST_F(MessageDialogTest, OkCancelConfirmationAnswers) {
    const MessageKind confirm = MessageKind::Confirmation;
    const ButtonSet okCancel = button::OK | button::Cancel;
    Check({
        {"Enter", confirm, okCancel, {DialogAnswer::Key(VK_RETURN)}, result::OK},
        {"Esc", confirm, okCancel, {DialogAnswer::Key(VK_ESCAPE)}, result::Cancel},
        {"close box", confirm, okCancel, {DialogAnswer::CloseBox()}, result::Cancel},
        {"click on Cancel", confirm, okCancel, {DialogAnswer::Click("Cancel")}, result::Cancel},
        {"Tab, then Enter on Cancel", confirm, okCancel,
         {DialogAnswer::Key(VK_TAB).StaysOpen(), DialogAnswer::Key(VK_RETURN)}, result::Cancel},
        {"Tab twice comes back to OK", confirm, okCancel,
         {DialogAnswer::Key(VK_TAB).StaysOpen(), DialogAnswer::Key(VK_TAB).StaysOpen(), DialogAnswer::Key(VK_RETURN)},
         result::OK},
        {"Shift+Tab from OK goes round to Cancel", confirm, okCancel,
         {DialogAnswer::Key(VK_TAB, test_support::kShift).StaysOpen(), DialogAnswer::Key(VK_RETURN)}, result::Cancel},
    });
}

TEST_F(MessageDialogTest, YesNoQuestionAnswers) {
    const MessageKind confirm = MessageKind::Confirmation;
    const ButtonSet yesNo = button::Yes | button::No;
    Check({
        {"Enter", confirm, yesNo, {DialogAnswer::Key(VK_RETURN)}, result::Yes},
        {"Esc presses No", confirm, yesNo, {DialogAnswer::Key(VK_ESCAPE)}, result::No},
        {"N", confirm, yesNo, {DialogAnswer::Key(kVkN)}, result::No},
        {"Y", confirm, yesNo, {DialogAnswer::Key(kVkY)}, result::Yes},
        {"Alt+N", confirm, yesNo, {DialogAnswer::Key(kVkN, test_support::kAlt)}, result::No},
        {"Alt+Y", confirm, yesNo, {DialogAnswer::Key(kVkY, test_support::kAlt)}, result::Yes},
        {"close box", confirm, yesNo, {DialogAnswer::CloseBox()}, result::Cancel},
        {"Right, then Enter", confirm, yesNo, {DialogAnswer::Key(VK_RIGHT).StaysOpen(), DialogAnswer::Key(VK_RETURN)},
         result::No},
        {"Down, Up, then Enter", confirm, yesNo,
         {DialogAnswer::Key(VK_DOWN).StaysOpen(), DialogAnswer::Key(VK_UP).StaysOpen(), DialogAnswer::Key(VK_RETURN)},
         result::Yes},
    });
}

TEST_F(MessageDialogTest, EnterAndEscWithAModifierDoNothing) {
    const MessageKind confirm = MessageKind::Confirmation;
    const ButtonSet yesNo = button::Yes | button::No;
    Check({
        {"Shift+Esc, Ctrl+Esc, Shift+Enter, Ctrl+Enter", confirm, yesNo,
         {DialogAnswer::Key(VK_ESCAPE, test_support::kShift).StaysOpen(),
          DialogAnswer::Key(VK_ESCAPE, test_support::kCtrl).StaysOpen(),
          DialogAnswer::Key(VK_RETURN, test_support::kShift).StaysOpen(),
          DialogAnswer::Key(VK_RETURN, test_support::kCtrl).StaysOpen(), DialogAnswer::CloseBox()},
         result::Cancel},
    });
}

TEST_F(MessageDialogTest, WithoutButtonsOnlyTheCloseBoxEndsIt) {
    Check({
        {"Esc and Enter, then the close box", MessageKind::Warning, 0,
         {DialogAnswer::Key(VK_ESCAPE).StaysOpen(), DialogAnswer::Key(VK_RETURN).StaysOpen(), DialogAnswer::CloseBox()},
         result::Cancel},
    });
}

TEST_F(MessageDialogTest, HelpLeavesTheDialogOpen) {
    Check({
        {"Help, then Yes", MessageKind::Confirmation, button::Yes | button::Help,
         {DialogAnswer::Click("Help").StaysOpen(), DialogAnswer::Key('H').StaysOpen(), DialogAnswer::Key(kVkY)},
         result::Yes},
        {"the widest button of a full row", MessageKind::Warning, 2047, {DialogAnswer::Click("Yes to All")},
         result::YesToAll},
        {"N&o to All by its letter", MessageKind::Warning, button::NoToAll | button::Abort,
         {DialogAnswer::Key('O')}, result::NoToAll},
    });
}

TEST_F(MessageDialogTest, ShowsCaptionTextAndButtonsWithTheFocusOnTheFirst) {
    Asked asked = Ask(MessageKind::Confirmation, button::Yes | button::No, {DialogAnswer::Key(VK_ESCAPE)},
                      L"Replace all instances in the selected file?");
    ASSERT_TRUE(asked.answered) << asked.failure;
    ASSERT_EQ(asked.seen.size(), 1u);
    const SeenDialog& seen = asked.seen[0];
    EXPECT_EQ(seen.windowClass, "TMessageForm");
    EXPECT_EQ(seen.caption, "Confirm");
    EXPECT_EQ(seen.text, "Replace all instances in the selected file?");
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(seen.focus, "&Yes");
}

TEST_F(MessageDialogTest, FocusedButtonIsDrawnAsDefaultAndKeepsTheFocusWhenReactivated) {
    LONG okStyle = 0, cancelStyle = 0;
    Asked asked = Ask(MessageKind::Confirmation, button::OK | button::Cancel,
                      {DialogAnswer::Key(VK_TAB).StaysOpen(),
                       DialogAnswer::Key(VK_RETURN).Inspect([&](HWND dialog) {
                           auto style = [&](const char* caption) {
                               return ::GetWindowLongA(::FindWindowExA(dialog, nullptr, "Button", caption), GWL_STYLE);
                           };
                           okStyle = style("OK");
                           cancelStyle = style("Cancel");
                           ::SendMessageA(dialog, WM_ACTIVATE, WA_ACTIVE, 0);
                       })});
    ASSERT_TRUE(asked.answered) << asked.failure;
    EXPECT_EQ(asked.result, result::Cancel);
    ASSERT_EQ(asked.seen.size(), 2u);
    EXPECT_EQ(asked.seen[1].focus, "Cancel");
    EXPECT_EQ(okStyle & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(cancelStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

TEST_F(MessageDialogTest, KindsShowTheirCaptions) {
    const std::pair<MessageKind, const char*> kinds[] = {
        {MessageKind::Warning, "Warning"},
        {MessageKind::Error, "Error"},
        {MessageKind::Information, "Information"},
        {MessageKind::Confirmation, "Confirm"},
        {MessageKind::Custom, "Zavotek - Search & Replace"},
    };
    for (const auto& [kind, caption] : kinds) {
        Asked asked = Ask(kind, button::OK, {DialogAnswer::Key(VK_RETURN)});
        ASSERT_TRUE(asked.answered) << caption << ": " << asked.failure;
        EXPECT_EQ(asked.seen[0].caption, caption);
        EXPECT_EQ(asked.result, result::OK);
    }
}

TEST_F(MessageDialogTest, OtherWindowsTakeNoInputWhileItShowsAndComeBackAfter) {
    HWND main = ::CreateWindowExA(0, "STATIC", "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(main);
    application.SetMainWindow(main);
    ::SetActiveWindow(main);
    ASSERT_EQ(::GetActiveWindow(), main);
    ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));

    BOOL mainEnabledMeanwhile = TRUE;
    HWND owner = nullptr;
    RECT place{};
    Asked asked = Ask(MessageKind::Information, button::OK,
                      {DialogAnswer::Key(VK_RETURN).Inspect([&](HWND dialog) {
                          mainEnabledMeanwhile = ::IsWindowEnabled(main);
                          owner = ::GetWindow(dialog, GW_OWNER);
                          ::GetWindowRect(dialog, &place);
                      })});
    ASSERT_TRUE(asked.answered) << asked.failure;
    EXPECT_FALSE(mainEnabledMeanwhile);
    EXPECT_EQ(owner, main);
    // Centred on the display of the active window when shown.
    EXPECT_EQ(place.left, (::GetSystemMetrics(SM_CXSCREEN) - (place.right - place.left)) / 2);
    EXPECT_EQ(place.top, (::GetSystemMetrics(SM_CYSCREEN) - (place.bottom - place.top)) / 2);
    EXPECT_TRUE(::IsWindowEnabled(main));
    EXPECT_EQ(::GetActiveWindow(), main);
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_WAIT));
    ::DestroyWindow(main);
}

TEST_F(MessageDialogTest, NotedQuitRequestAnswersCancelAtOnceWithoutShowing) {
    application.Terminate();
    Asked asked = Ask(MessageKind::Confirmation, button::Yes | button::No, {DialogAnswer::Key(VK_RETURN)}, L"Go on?",
                      1500);
    EXPECT_EQ(asked.result, result::Cancel);
    EXPECT_TRUE(asked.seen.empty()) << "a dialog was shown";
    EXPECT_TRUE(QuitIsWaiting());
}

TEST_F(MessageDialogTest, QuitRequestWhileShownAnswersCancelAndIsNoted) {
    Asked asked = Ask(MessageKind::Confirmation, button::Yes | button::No, {DialogAnswer::Quit()});
    ASSERT_TRUE(asked.answered) << asked.failure;
    EXPECT_EQ(asked.result, result::Cancel);
    EXPECT_TRUE(application.Terminated());
    // The next question is not asked at all.
    asked = Ask(MessageKind::Confirmation, button::Yes | button::No, {DialogAnswer::Key(VK_RETURN)}, L"Next?", 1500);
    EXPECT_EQ(asked.result, result::Cancel);
    EXPECT_TRUE(asked.seen.empty());
    // The request is still there for the main loop.
    EXPECT_TRUE(QuitIsWaiting());
}

TEST(MessageDialogWithoutApplication, QuitRequestGoesBackToTheQueue) {
    Asked asked = Ask(MessageKind::Information, button::OK, {DialogAnswer::Quit()});
    ASSERT_TRUE(asked.answered) << asked.failure;
    EXPECT_EQ(asked.result, result::Cancel);
    EXPECT_TRUE(QuitIsWaiting());
}
