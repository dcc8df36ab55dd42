// Replace, clicked on the real main window: its checks and question as the dialog shows them,
// the rewrite, the viewer afterwards, and a file that cannot be rewritten.
#include "platform/errors.h"
#include "replace_fixture.h"

namespace replace_test {
namespace {

using test_support::ReadFileBytes;

constexpr const char* kOriginal = "abc, Abc and aBC; xyz\r\n";

class ReplaceCommand : public ReplaceFixture {
protected:
    ReplaceCommand() {
        path = folder.WriteFile("notes.txt", kOriginal);
        folder.WriteFile("other.txt", "abc");
        List();
    }
    void Select() { form.FileListBox().Listing().SelectByName(L"notes.txt"); }

    platform::Path path;
};

// Every failing check shows its one notice, however the box is closed, and ends the command
// before anything is touched.
TEST_F(ReplaceCommand, EachFailingCheckShowsItsNoticeAndTouchesNothing) {
    const CheckCase cases[] = {
        {"empty list, all typed", true, false, "abc", "x", DialogAnswer::Key(VK_RETURN),
         "Sorry, no can do. There are no files in the list!"},
        {"no selection, nothing typed", false, false, "", "", DialogAnswer::Key(VK_ESCAPE),
         "Don't forget to select a file!"},
        {"no search text", false, true, "", "x", DialogAnswer::CloseBox(), "Please enter the text to be replaced!"},
        {"no replacement", false, true, "abc", "", DialogAnswer::Click("OK"), "Please enter the replacement text!"},
        {"same texts", false, true, "abc", "abc", DialogAnswer::Key(VK_RETURN),
         "Hey hold on, the search and replace text is the same!"},
    };
    test_support::TempFolder empty;
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        List(c.emptyList ? empty.Path() : folder.Path());
        if (c.select) Select();
        Type(c.search, c.replacement);
        const std::wstring status = form.StatusText();
        const std::string shown = form.memHTML().Text();

        ExpectOneNotice(ClickReplace({c.answer}), c.message);
        EXPECT_EQ(ReadFileBytes(path), kOriginal);
        EXPECT_EQ(progress.shows, 0);
        EXPECT_EQ(form.StatusText(), status);
        EXPECT_EQ(form.memHTML().Text(), shown);
    }
}

TEST_F(ReplaceCommand, TurnsEveryCaseOfAbcIntoABCAndShowsTheFileWithTheReplacementSelected) {
    Select();
    Type("abc", "ABC");
    ASSERT_TRUE(ClickReplace({}).empty());

    EXPECT_EQ(ReadFileBytes(path), "ABC, ABC and ABC; xyz\r\n");
    EXPECT_EQ(form.memHTML().Text(), "ABC, ABC and ABC; xyz\r\n");
    EXPECT_EQ(form.StatusText(), path.Text());
    EXPECT_EQ(PaneColour(), CLR_DEFAULT);
    EXPECT_EQ(SelectedText(), "ABC");
    EXPECT_EQ(::GetFocus(), form.memHTML().Handle());
    EXPECT_EQ(progress.shows, 1);
    EXPECT_EQ(progress.hides, 1);
    EXPECT_FALSE(progress.shown);
    EXPECT_EQ(ReadFileBytes(folder.PathOf("other.txt")), "abc") << "only the selected file";
}

TEST_F(ReplaceCommand, WithConfirmTickedOnlyOKGoesOn) {
    Select();
    Type("abc", "ABC");
    TickConfirm(true);
    for (DialogAnswer refusal : {DialogAnswer::Click("Cancel"), DialogAnswer::Key(VK_ESCAPE), DialogAnswer::CloseBox()}) {
        std::vector<SeenDialog> seen = ClickReplace({refusal});
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, "Confirm");
        EXPECT_EQ(seen[0].text, "Replace all instances in the selected file?");
        EXPECT_EQ(seen[0].buttons, (std::vector<std::string>{"OK", "Cancel"}));
        EXPECT_EQ(ReadFileBytes(path), kOriginal);
        EXPECT_EQ(progress.shows, 0);
    }
    ClickReplace({DialogAnswer::Key(VK_RETURN)});
    EXPECT_EQ(ReadFileBytes(path), "ABC, ABC and ABC; xyz\r\n");
    EXPECT_EQ(progress.hides, 1);
}

// The error box reports the failed rewrite; the progress window stays where it was shown.
TEST_F(ReplaceCommand, AReadOnlyFileKeepsItsBytesAndTheProgressWindowGoes) {
    Select();
    const std::wstring status = form.StatusText();
    const std::string shown = form.memHTML().Text();
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    Type("abc", "ABC");

    std::vector<SeenDialog> seen = ClickReplace({DialogAnswer::Key(VK_RETURN).On(DialogClass::ErrorBox)});

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text,
              "Cannot create file \"" + test_support::Utf8Name(path.Text()) + "\". " +
                  test_support::Utf8Name(platform::SystemErrorText(ERROR_ACCESS_DENIED)) + ".");
    EXPECT_EQ(ReadFileBytes(path), kOriginal);
    EXPECT_FALSE(progress.shown) << "nothing runs any more";
    EXPECT_EQ(progress.hides, 1);
    EXPECT_EQ(form.StatusText(), status);
    EXPECT_EQ(form.memHTML().Text(), shown);
}

// A close queued when the command pumps only notes the end of the program: the command goes on
// and rewrites the file with the path and texts read before the pump, the controls being gone.
TEST_F(ReplaceCommand, TheWindowClosedInThePumpStillHasTheFileRewritten) {
    Select();
    Type("abc", "ABC");
    progress.onShow = [this] { ::PostMessageA(form.Handle(), WM_CLOSE, 0, 0); };
    ClickReplace({});

    EXPECT_FALSE(::IsWindow(form.Handle()));
    EXPECT_TRUE(application.Terminated());
    EXPECT_EQ(ReadFileBytes(path), "ABC, ABC and ABC; xyz\r\n");
    EXPECT_FALSE(progress.shown);
}

}  // namespace
}  // namespace replace_test
