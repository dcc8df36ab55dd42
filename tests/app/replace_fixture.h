#pragma once
// The main window with a folder of files listed, the dialog driver answering its boxes and a
// progress window that records what the commands ask of it; shared by the Replace and Replace
// All tests.
#include "app/main_form.h"
#include "app/progress_window.h"
#include "dialogs/error_report.h"
#include "support/dialog_driver.h"
#include "support/recording_shell.h"
#include "support/temp_folder.h"
#include "support/window_driving.h"
#include "widgets/application.h"

#include <richedit.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace replace_test {

using test_support::DialogAnswer;
using test_support::DialogClass;
using test_support::SeenDialog;

// Stands in for the animated window: records whether it shows, and lets a test act at the moment
// a command shows or hides it.
class RecordingProgressWindow : public app::ProgressWindow {
public:
    void Show() override {
        ++shows;
        shown = true;
        if (onShow) onShow();
    }
    void Hide() override {
        ++hides;
        shown = false;
        if (onHide) onHide();
    }
    int shows = 0, hides = 0;
    bool shown = false;
    std::function<void()> onShow, onHide;
};

// A hidden window whose posted message runs an action in a later message pump, once no modal box
// disables the main window: as a click on the main window while a command runs would.
class Postman : public widgets::Window {
public:
    explicit Postman(HWND mainWindow) : mainWindow_(mainWindow) {
        Create("ZavotekReplaceTestPostman", 0, "", WS_POPUP, RECT{0, 0, 1, 1}, nullptr);
    }
    void Post(std::function<void()> action) {
        action_ = std::move(action);
        ::PostMessageA(Handle(), WM_APP, 0, 0);
    }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_APP) return Default(message, wParam, lParam);
        // Posted again until the box is answered, so that the action runs in the pump right after.
        if (::IsWindow(mainWindow_) && !::IsWindowEnabled(mainWindow_)) {
            ::PostMessageA(Handle(), WM_APP, 0, 0);
            return 0;
        }
        if (auto action = std::exchange(action_, nullptr)) action();
        return 0;
    }

private:
    HWND mainWindow_;
    std::function<void()> action_;
};

// One input check of a command: what the window holds, how the user closes the notice, and the
// notice expected.
struct CheckCase {
    const char* name;
    bool emptyList, select;
    const char* search;
    const char* replacement;
    DialogAnswer answer;
    const char* message;
};

// The boxes shown were the one information notice with its one OK button.
inline void ExpectOneNotice(const std::vector<SeenDialog>& seen, const std::string& message) {
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].windowClass, "TMessageForm");
    EXPECT_EQ(seen[0].caption, "Information");
    EXPECT_EQ(seen[0].text, message);
    EXPECT_EQ(seen[0].buttons, std::vector<std::string>{"OK"});
}

class ReplaceFixture : public ::testing::Test {
protected:
    ReplaceFixture() {
        wchar_t saved[MAX_PATH];
        ::GetCurrentDirectoryW(MAX_PATH, saved);
        savedDirectory_ = saved;
        form.SetStateFolder(state.Path());
        form.SetProgressWindow(progress);
        widgets::SetErrorHandler(dialogs::ReportError);
        form.Show();
        form.SetFileTypeIndex(0);
    }
    ~ReplaceFixture() override {
        widgets::SetErrorHandler(nullptr);
        test_support::DispatchWaitingMessages();
        ::SetCurrentDirectoryW(savedDirectory_.c_str());
    }

    // Lists `folderPath` (the fixture's folder unless given) in the file list.
    void List(const platform::Path& folderPath = {}) {
        const platform::Path& path = folderPath.empty() ? folder.Path() : folderPath;
        form.FileListBox().Listing().ApplyPathText(path.EndsWithSeparator() ? path.Text() : path.Text() + L"\\");
    }
    void Type(const std::string& search, const std::string& replacement) {
        ::SetWindowTextA(form.edSearch(), search.c_str());
        ::SetWindowTextA(form.edReplace(), replacement.c_str());
    }
    void TickConfirm(bool ticked) {
        ::SendMessageA(form.cbWarn(), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    // Clicks the button as the mouse would, with `answers` for the boxes that are to show, and
    // returns what they showed. One more box than expected fails the test rather than hanging it.
    std::vector<SeenDialog> Click(widgets::GraphicButton& button, std::vector<DialogAnswer> answers) {
        const size_t expected = answers.size();
        answers.push_back(DialogAnswer::Key(VK_ESCAPE));
        test_support::DialogDriver driver(std::move(answers), 2000);
        test_support::LeftClick(form.Panel1().Handle(), test_support::Centre(button.Place()));
        driver.Finish();
        EXPECT_EQ(driver.Seen().size(), expected) << "boxes shown";
        return driver.Seen();
    }
    std::vector<SeenDialog> ClickReplace(std::vector<DialogAnswer> answers) {
        return Click(form.btnReplace(), std::move(answers));
    }
    std::vector<SeenDialog> ClickReplaceAll(std::vector<DialogAnswer> answers) {
        return Click(form.btnGlobReplace(), std::move(answers));
    }

    // The viewer as the control holds it: its default text colour (CLR_DEFAULT for the automatic
    // window-text colour) and its selection.
    COLORREF PaneColour() {
        CHARFORMATA format{};
        format.cbSize = sizeof format;
        ::SendMessageA(form.memHTML().Handle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        return (format.dwEffects & CFE_AUTOCOLOR) ? CLR_DEFAULT : format.crTextColor;
    }
    CHARRANGE PaneSelection() {
        CHARRANGE range{};
        ::SendMessageA(form.memHTML().Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return range;
    }
    std::string SelectedText() {
        CHARRANGE range = PaneSelection();
        return form.memHTML().Text().substr(static_cast<size_t>(range.cpMin),
                                             static_cast<size_t>(range.cpMax - range.cpMin));
    }

    widgets::Application application{"Zavotek - Search & Replace"};
    test_support::RecordingShell shell;
    app::TForm1 form{shell};
    RecordingProgressWindow progress;
    test_support::TempFolder folder, state;

private:
    std::wstring savedDirectory_;
};

}  // namespace replace_test
