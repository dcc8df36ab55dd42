// Errors raised while a window handles a message: caught by the guard, shown in the error box,
// and the program goes on.
#include "app/main_form.h"
#include "dialogs/error_report.h"
#include "platform/errors.h"
#include "support/message_box_watcher.h"
#include "support/recording_shell.h"
#include "support/temp_folder.h"
#include "support/window_driving.h"
#include "widgets/application.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

namespace {

using test_support::MessageBoxWatcher;
using test_support::SeenBox;

constexpr const char* kTitle = "Zavotek - Search & Replace";

// A second top-level window of the program whose handlers a test writes.
class ScriptedWindow : public widgets::Window {
public:
    ScriptedWindow() {
        Create("ZavotekScriptedWindow", 0, "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{20, 20, 260, 200},
               nullptr);
    }
    std::function<void()> onApp, onClose;
    int nextMessages = 0;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_APP: onApp(); return 1;
        case WM_APP + 1: ++nextMessages; return 1;
        case WM_CLOSE:
            if (onClose) onClose();
            ::DestroyWindow(Handle());
            return 0;
        default: return Default(message, wParam, lParam);
        }
    }
};

std::string ModuleName() {
    char path[MAX_PATH] = {};
    std::string full(path, ::GetModuleFileNameA(nullptr, path, sizeof path));
    return full.substr(full.find_last_of('\\') + 1);
}

HICON StopIcon() { return ::LoadIconA(nullptr, IDI_HAND); }

class ErrorReport : public ::testing::Test {
protected:
    void SetUp() override {
        widgets::SetErrorHandler(dialogs::ReportError);
        form.Show();
        ::SetFocus(form.edSearch());
    }
    void TearDown() override {
        widgets::SetErrorHandler(nullptr);
        test_support::DispatchWaitingMessages();
    }

    // Raises `failure` inside the other window's handling of a sent message.
    SeenBox RaiseInHandler(std::function<void()> failure) {
        other.onApp = std::move(failure);
        MessageBoxWatcher watcher({form.Handle(), other.Handle()});
        ::SendMessageA(other.Handle(), WM_APP, 0, 0);
        return watcher.Seen();
    }

    widgets::Application application{kTitle};
    test_support::RecordingShell shell;
    app::TForm1 form{shell};  // the first window made: the application's window
    ScriptedWindow other;
};

TEST_F(ErrorReport, AFailedWriteInACommandShowsTheErrorBoxAndTheProgramGoesOn) {
    form.btnReplace().OnClick = [] { throw platform::errors::StreamWrite(); };
    MessageBoxWatcher watcher({form.Handle(), other.Handle()});
    test_support::LeftClick(form.Panel1().Handle(), test_support::Centre(form.btnReplace().Place()));
    const SeenBox& box = watcher.Seen();

    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.text, "Stream write error.");
    EXPECT_EQ(box.caption, kTitle);
    // MB_ICONERROR: the box shows the system's shared stop icon.
    EXPECT_EQ(box.icon, StopIcon());
    EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(box.owner, form.Handle());
    EXPECT_EQ(box.watchedEnabled, (std::vector<bool>{false, false})) << "the other windows take no input";

    EXPECT_TRUE(::IsWindowEnabled(form.Handle()));
    EXPECT_TRUE(::IsWindowEnabled(other.Handle()));
    EXPECT_EQ(::GetFocus(), form.edSearch()) << "the focus comes back where it was";
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(form.Handle()));
}

TEST_F(ErrorReport, RunningOutOfMemoryShowsOutOfMemory) {
    SeenBox box = RaiseInHandler([] { throw std::bad_alloc(); });
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.text, "Out of memory.");
    EXPECT_EQ(box.caption, kTitle);
    EXPECT_EQ(box.icon, StopIcon());
}

TEST_F(ErrorReport, TheFullStopRuleAppliesToTheMessage) {
    std::string path = test_support::Utf8Name(platform::Path(L"held open.txt").Absolute().Text());
    SeenBox box = RaiseInHandler(
        [] { throw platform::errors::CannotOpenFile(platform::Path(L"held open.txt"), ERROR_SHARING_VIOLATION); });
    EXPECT_EQ(box.text, "Cannot open file \"" + path + "\". " +
                            test_support::Utf8Name(platform::SystemErrorText(ERROR_SHARING_VIOLATION)) + ".");
    box = RaiseInHandler([] { throw platform::errors::ListIndexOutOfBounds(7); });
    EXPECT_EQ(box.text, "List index out of bounds (7)");
    box = RaiseInHandler([] { throw platform::EError("Nothing to do!"); });
    EXPECT_EQ(box.text, "Nothing to do!");
    box = RaiseInHandler([] { throw platform::EError("Already said."); });
    EXPECT_EQ(box.text, "Already said.");
}

TEST_F(ErrorReport, AFaultThatIsNotTheProgramsOwnErrorIsShownInTheLastChanceWords) {
    SeenBox box = RaiseInHandler([] { throw std::runtime_error("broken invariant"); });
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, "Application Error");
    // The class as a person reads it, not in the compiler's mangled form.
    EXPECT_EQ(box.text.rfind("Exception std::runtime_error in module " + ModuleName() + " at ", 0), 0u) << box.text;
    const std::string tail = ".\r\nbroken invariant.\r\n";
    ASSERT_GT(box.text.size(), tail.size());
    EXPECT_EQ(box.text.substr(box.text.size() - tail.size()), tail);
    EXPECT_EQ(box.icon, StopIcon());
    // The program goes on.
    EXPECT_TRUE(::IsWindowEnabled(form.Handle()));
    EXPECT_EQ(::SendMessageA(other.Handle(), WM_APP + 1, 0, 0), 1);
}

TEST_F(ErrorReport, AWindowThatCannotBeCreatedIsReportedAsTheProgramsOwnError) {
    SeenBox box = RaiseInHandler([] {
        // A child of a window that does not exist.
        struct Orphan : widgets::Window {
            Orphan() { Create("ZavotekOrphan", 0, "", WS_CHILD, RECT{0, 0, 10, 10}, HWND(-2)); }
        } orphan;
    });
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.text, "Cannot create a window of class ZavotekOrphan.");
    EXPECT_EQ(box.caption, kTitle);
}

TEST_F(ErrorReport, TheLastChanceBoxNamesAForeignErrorsClassReadably) {
    MessageBoxWatcher watcher({form.Handle(), other.Handle()});
    try {
        throw std::invalid_argument("bad start");
    } catch (...) {
        EXPECT_EQ(dialogs::ShowLastChanceBox(), 1);
    }
    const SeenBox& box = watcher.Seen();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.text.rfind("Exception std::invalid_argument in module " + ModuleName() + " at ", 0), 0u) << box.text;
    const std::string tail = ".\r\nbad start.\r\n";
    ASSERT_GT(box.text.size(), tail.size());
    EXPECT_EQ(box.text.substr(box.text.size() - tail.size()), tail);
}

TEST_F(ErrorReport, TheMessageLoopReportsAndTakesTheNextMessage) {
    other.onApp = [] { throw platform::errors::StreamRead(); };
    ::PostMessageA(other.Handle(), WM_APP, 0, 0);
    ::PostMessageA(other.Handle(), WM_APP + 1, 0, 0);
    MessageBoxWatcher watcher;
    application.ProcessMessages();
    EXPECT_EQ(watcher.Seen().text, "Stream read error.");
    EXPECT_EQ(other.nextMessages, 1);
    EXPECT_FALSE(application.Terminated());
}

TEST_F(ErrorReport, AnErrorDuringASplitterDragEndsTheDragWithoutResizing) {
    // A splitter drag is under way when some other handler fails. The error report cancels the
    // mouse capture; under Wine the box would also take it away itself, so this checks the outcome.
    HWND splitter = form.Splitter1().Handle();
    test_support::SendMouse(splitter, WM_LBUTTONDOWN, {1, 40}, MK_LBUTTON);
    test_support::SendMouse(splitter, WM_MOUSEMOVE, {60, 40}, MK_LBUTTON);
    ASSERT_EQ(::GetCapture(), splitter);
    SeenBox box = RaiseInHandler([] { throw platform::errors::StreamWrite(); });
    ASSERT_TRUE(box.found);
    EXPECT_FALSE(form.Splitter1().Dragging());
    EXPECT_EQ(::GetCapture(), nullptr);
    test_support::SendMouse(splitter, WM_LBUTTONUP, {60, 40});
    EXPECT_EQ(form.ListWidth(), 180) << "the cancelled drag does not resize";
}

TEST_F(ErrorReport, AFailingCloseHandlerLeavesTheWindowOpen) {
    const platform::Path ini(L"C:\\Program Files\\Zavotek\\Molvatrenquist.ini");
    int attempts = 0;
    other.onClose = [&] {
        ++attempts;
        throw platform::errors::UnableToWrite(ini);
    };
    for (int i = 1; i <= 2; ++i) {
        MessageBoxWatcher watcher;
        ::SendMessageA(other.Handle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(watcher.Seen().text, "Unable to write to " + test_support::Utf8Name(ini.Text()) + ".");
        EXPECT_TRUE(::IsWindow(other.Handle())) << "attempt " << i;
        EXPECT_EQ(attempts, i) << "each attempt runs the handler again";
    }
    other.onClose = nullptr;
    HWND window = other.Handle();
    ::SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(ErrorReport, AnErrorAfterTheMainWindowWasClosedIsStillShown) {
    // The main window is closed while a command runs the message pump; the command goes on
    // and fails afterwards.
    ::SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    application.ProcessMessages();
    ASSERT_TRUE(application.Terminated());
    SeenBox box = RaiseInHandler([] { throw platform::errors::StreamWrite(); });
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.text, "Stream write error.");
    EXPECT_EQ(box.caption, kTitle);
    EXPECT_EQ(box.owner, nullptr);
}

TEST_F(ErrorReport, TheLastChanceBoxShowsAnErrorThatEscapedAndGivesExitCodeOne) {
    MessageBoxWatcher watcher({form.Handle(), other.Handle()});
    int exitCode = 0;
    try {
        throw platform::errors::CannotOpenAvi();
    } catch (...) {
        exitCode = dialogs::ShowLastChanceBox();
    }
    const SeenBox& box = watcher.Seen();
    EXPECT_EQ(exitCode, 1);
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, "Application Error");
    const std::string head = "Exception Exception in module " + ModuleName() + " at ";
    const std::string tail = ".\r\nCannot open AVI.\r\n";
    EXPECT_EQ(box.text.rfind(head, 0), 0u) << box.text;
    ASSERT_GT(box.text.size(), head.size() + tail.size());
    EXPECT_EQ(box.text.substr(box.text.size() - tail.size()), tail);
    EXPECT_EQ(box.icon, StopIcon());
    EXPECT_EQ(box.owner, nullptr);
    // MB_TASKMODAL: the thread's windows are disabled while it shows.
    EXPECT_EQ(box.watchedEnabled, (std::vector<bool>{false, false}));
}

}  // namespace
