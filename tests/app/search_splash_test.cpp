// The progress window as built and as a person meets it: its frame and texts, the clip playing,
// where it shows, what it does with the activation, and its stacking while a question is open.
#include "app/main_form.h"
#include "app/search_splash.h"
#include "dialogs/error_report.h"
#include "dialogs/message_dialog.h"
#include "support/dialog_driver.h"
#include "support/expect_error.h"
#include "support/recording_shell.h"
#include "support/unique_kernel_handle.h"
#include "support/window_driving.h"
#include "widgets/application.h"
#include "widgets/dpi.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace {

using test_support::DialogAnswer;
using test_support::DialogDriver;

bool Topmost(HWND window) { return (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

RECT WindowRect(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    return r;
}

// True when `upper` lies above `lower` in the z-order of the top-level windows.
bool Above(HWND upper, HWND lower) {
    for (HWND w = ::GetWindow(upper, GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

int ThreadsOfThisProcess() {
    test_support::UniqueKernelHandle snapshot{::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0)};
    THREADENTRY32 entry{sizeof entry};
    int n = 0;
    for (BOOL more = ::Thread32First(snapshot.get(), &entry); more; more = ::Thread32Next(snapshot.get(), &entry))
        n += entry.th32OwnerProcessID == ::GetCurrentProcessId() ? 1 : 0;
    return n;
}

class SearchSplash : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        form.SetProgressWindow(splash);
        test_support::SettleWindowManager();
    }
    void TearDown() override { test_support::DispatchWaitingMessages(); }

    HWND Splash() const { return splash.Handle(); }
    HWND Main() const { return form.Handle(); }

    widgets::Application application{"Zavotek - Search & Replace"};
    test_support::RecordingShell shell;
    app::TForm1 form{shell};
    app::TfrmSearchSplash splash;
};

TEST_F(SearchSplash, IsBuiltHiddenAsASmallTopmostToolWindowOwnedByTheMainWindow) {
    ASSERT_EQ(widgets::ScreenDpi(), 96) << "the expected sizes are written for 96 dpi";
    EXPECT_FALSE(::IsWindowVisible(Splash()));
    EXPECT_EQ(test_support::WindowText(Splash()), " Searching...");
    const SIZE client = test_support::ClientSize(Splash());
    EXPECT_EQ(client.cy, 43);

    const LONG style = ::GetWindowLongA(Splash(), GWL_STYLE), ex = ::GetWindowLongA(Splash(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_FALSE(ex & WS_EX_APPWINDOW) << "no task-bar button";
    EXPECT_EQ(::GetWindow(Splash(), GW_OWNER), Main()) << "owned windows get no task-bar button either";
    EXPECT_TRUE(style & WS_SYSMENU) << "the close box";
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "not resizable, close box only";
    EXPECT_EQ(reinterpret_cast<HBRUSH>(::GetClassLongPtrA(Splash(), GCLP_HBRBACKGROUND)),
              ::GetSysColorBrush(COLOR_BTNFACE));

    // The label shows its window text as it is: one ampersand, which marks no access key.
    HWND label = splash.Label1();
    EXPECT_EQ(test_support::WindowText(label), "Performing Search & Replace, please wait...");
    EXPECT_TRUE(::GetWindowLongA(label, GWL_STYLE) & SS_NOPREFIX);
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(label, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "Tahoma");
    EXPECT_EQ(font.lfHeight, -11);
    const RECT place = test_support::RectInParent(label);
    EXPECT_EQ(place.left, 37);
    EXPECT_EQ(place.top, 15);

    // The form's 261 pixels, or more only by what the label needs to show its whole text in the
    // platform's face (Windows' Tahoma fits; Wine's draws wider).
    HDC dc = ::GetDC(label);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(label, WM_GETFONT, 0, 0)));
    SIZE text{};
    ::GetTextExtentPoint32A(dc, "Performing Search & Replace, please wait...", 43, &text);
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    const LONG labelWidth = place.right - place.left;
    EXPECT_GE(labelWidth, text.cx) << "the whole label shows";
    EXPECT_EQ(client.cx, 261 + std::max(0L, text.cx - 212));
}

TEST_F(SearchSplash, TheClipPlaysAtItsOwnFrameSizeOnAThreadOfItsOwn) {
    HWND animate = splash.Animate1();
    EXPECT_EQ(test_support::WindowClass(animate), ANIMATE_CLASSA);
    const LONG style = ::GetWindowLongA(animate, GWL_STYLE);
    EXPECT_TRUE(style & ACS_CENTER);
    EXPECT_TRUE(style & ACS_TRANSPARENT);
    EXPECT_FALSE(style & ACS_TIMER) << "a timer would stop the clip whenever this thread is busy";

    // A control without the centring style takes the clip's frame size when it opens the clip.
    HMODULE shell32 = ::GetModuleHandleA("shell32.dll");
    ASSERT_NE(shell32, nullptr);
    platform::UniqueHwnd reference{::CreateWindowExA(0, ANIMATE_CLASSA, "", WS_CHILD, 0, 0, 1, 1, Main(), nullptr,
                                                     nullptr, nullptr)};
    ASSERT_TRUE(::SendMessageA(reference.get(), ACM_OPENA, reinterpret_cast<WPARAM>(shell32),
                               reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(app::kFindFileClip))));
    const SIZE clip = test_support::ClientSize(reference.get());
    ASSERT_GT(clip.cx, 1);
    const RECT own = test_support::RectInParent(animate);
    EXPECT_EQ(own.right - own.left, clip.cx);
    EXPECT_EQ(own.bottom - own.top, clip.cy);
    EXPECT_EQ(own.left, 12);
    EXPECT_EQ(own.top, 13);

    // Playing without a timer: the control runs the clip on a thread of its own, started when the
    // window is built. (Wine's control does not answer ACM_ISPLAYING, so the thread is counted.)
    const int before = ThreadsOfThisProcess();
    app::TfrmSearchSplash another;
    EXPECT_EQ(ThreadsOfThisProcess(), before + 1);
}

TEST_F(SearchSplash, ShowsCentredOnTheMainWindowTheFirstTimeThenWhereTheUserLeftIt) {
    const RECT main = WindowRect(Main());
    splash.Show();
    EXPECT_TRUE(::IsWindowVisible(Splash()));
    EXPECT_EQ(::GetActiveWindow(), Splash()) << "showing activates it";
    RECT shown = WindowRect(Splash());
    const int width = shown.right - shown.left, height = shown.bottom - shown.top;
    EXPECT_EQ(shown.left, main.left + (main.right - main.left - width) / 2);
    EXPECT_EQ(shown.top, main.top + (main.bottom - main.top - height) / 2);

    // Dragged elsewhere by its caption; the end of a drag leaves it where the mouse let go.
    ::SetWindowPos(Splash(), nullptr, 40, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    splash.Hide();
    ::SetWindowPos(Main(), nullptr, main.left + 30, main.top + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    splash.Show();
    shown = WindowRect(Splash());
    EXPECT_EQ(shown.left, 40);
    EXPECT_EQ(shown.top, 70);
    EXPECT_EQ(::GetActiveWindow(), Splash());
}

TEST_F(SearchSplash, HidingGivesTheActivationBackToTheMainWindow) {
    ::SetFocus(form.edSearch());
    splash.Show();
    ASSERT_EQ(::GetActiveWindow(), Splash());
    splash.Hide();
    EXPECT_FALSE(::IsWindowVisible(Splash()));
    EXPECT_EQ(::GetActiveWindow(), Main());

    // Hidden while another window of the program is active, it leaves the activation alone.
    splash.Show();
    ::SetActiveWindow(Main());
    splash.Hide();
    EXPECT_EQ(::GetActiveWindow(), Main());
}

TEST_F(SearchSplash, ShownAgainWhileStillShownItIsActivatedAgain) {
    // A command that failed left it shown; the user went back to the main window and starts the next.
    splash.Show();
    ::SetActiveWindow(Main());
    ASSERT_EQ(::GetActiveWindow(), Main());
    const RECT before = WindowRect(Splash());
    splash.Show();
    EXPECT_EQ(::GetActiveWindow(), Splash());
    const RECT after = WindowRect(Splash());
    EXPECT_TRUE(::EqualRect(&before, &after)) << "it stays where it was";
}

TEST_F(SearchSplash, TheCloseBoxOnlyHidesIt) {
    splash.Show();
    ::SendMessageA(Splash(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(::IsWindow(Splash()));
    EXPECT_FALSE(::IsWindowVisible(Splash()));
    EXPECT_EQ(::GetActiveWindow(), Main());
    splash.Show();
    EXPECT_TRUE(::IsWindowVisible(Splash()));
}

// What the stacking was while a question showed, as the answering thread saw it.
struct StackingSeen {
    std::atomic<bool> looked{false}, splashTopmost{true}, dialogAboveSplash{false}, splashAboveMain{false};
};

DialogAnswer LookThenEnter(StackingSeen& seen, HWND splash, HWND main) {
    return DialogAnswer::Key(VK_RETURN).Inspect([&seen, splash, main](HWND dialog) {
        // The box's thread places the windows while it shows the box: looked at until they are
        // placed, or for at most two seconds.
        const ULONGLONG end = ::GetTickCount64() + 2000;
        do {
            seen.splashTopmost = Topmost(splash);
            seen.dialogAboveSplash = Above(dialog, splash);
            seen.splashAboveMain = Above(splash, main);
        } while (!(!seen.splashTopmost && seen.dialogAboveSplash && seen.splashAboveMain) &&
                 ::GetTickCount64() < end && (::Sleep(10), true));
        seen.looked = true;
    });
}

TEST_F(SearchSplash, WhileAQuestionOrTheErrorBoxIsOpenItIsAnOrdinaryWindowBelowIt) {
    const std::function<void()> boxes[] = {
        [] { dialogs::ShowMessageDialog(L"Replace in this file?", dialogs::MessageKind::Confirmation,
                                        dialogs::button::Yes | dialogs::button::No); },
        [] { dialogs::ShowErrorBox(L"Stream write error"); },
    };
    for (const auto& box : boxes) {
        splash.Show();
        test_support::SettleWindowManager();
        StackingSeen seen;
        DialogDriver driver({LookThenEnter(seen, Splash(), Main())});
        box();
        ASSERT_TRUE(driver.Finish()) << driver.Failure();
        ASSERT_TRUE(seen.looked);
        EXPECT_FALSE(seen.splashTopmost);
        EXPECT_TRUE(seen.dialogAboveSplash) << "the question is never behind the progress window";
        EXPECT_TRUE(seen.splashAboveMain);
        EXPECT_TRUE(Topmost(Splash())) << "topmost again once the box is gone";
        EXPECT_TRUE(::IsWindowVisible(Splash()));
    }
}

// Another program's window, on a thread of its own as every program's windows are.
class OtherProgramWindow {
public:
    OtherProgramWindow() {
        thread_ = std::thread([this] {
            HWND window = ::CreateWindowExA(0, "STATIC", "Other program", WS_POPUP | WS_CAPTION | WS_VISIBLE, 300,
                                            300, 300, 200, nullptr, nullptr, nullptr, nullptr);
            threadId_ = ::GetCurrentThreadId();
            window_ = window;
            ::SetForegroundWindow(window);
            MSG msg;
            while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
            ::DestroyWindow(window);
        });
        while (!window_) ::Sleep(5);
    }
    ~OtherProgramWindow() {
        ::PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND Handle() const { return window_; }

private:
    std::atomic<HWND> window_{nullptr};
    std::atomic<DWORD> threadId_{0};
    std::thread thread_;
};

TEST_F(SearchSplash, WhileAnotherProgramIsActiveItIsAnOrdinaryWindow) {
    splash.Show();
    test_support::SettleWindowManager();
    {
        OtherProgramWindow other;
        ASSERT_TRUE(test_support::PumpUntil([&] { return !Topmost(Splash()); })) << "still topmost while another program is active";
        // Windows leaves it below the other program's window. Under Wine that order changes again
        // after the program has placed it (no position message reaches this program's windows),
        // so only its place above the main window is checked.
        EXPECT_TRUE(Above(Splash(), Main()));
        ::SetForegroundWindow(Main());
        // The window manager's answer comes later under load (it did after 2 s beside another build).
        EXPECT_TRUE(test_support::PumpUntil([&] { return Topmost(Splash()); }, 10000)) << "topmost again back in this program";
    }
}

TEST(SearchSplashClip, AClipThatCannotBeOpenedGivesCannotOpenAvi) {
    test_support::ExpectError([] { app::TfrmSearchSplash splash(app::kClipModule, 9999); }, "Exception",
                              "Cannot open AVI");
    test_support::ExpectError([] { app::TfrmSearchSplash splash("no_such_module.dll"); }, "Exception",
                              "Cannot open AVI");

    // At start-up the error meets the last-chance box, and the program ends with exit code 1.
    DialogDriver driver({DialogAnswer::Key(VK_RETURN)});
    int exitCode = 0;
    try {
        app::TfrmSearchSplash splash(app::kClipModule, 9999);
    } catch (...) {
        exitCode = dialogs::ShowLastChanceBox();
    }
    ASSERT_TRUE(driver.Finish()) << driver.Failure();
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].caption, "Application Error");
    EXPECT_NE(driver.Seen()[0].text.find("\r\nCannot open AVI.\r\n"), std::string::npos) << driver.Seen()[0].text;
}

}  // namespace

namespace {

// The progress window goes with the main window that owns it; a command still running then shows
// and hides nothing, and hands the activation to no window of the program.
TEST_F(SearchSplash, GoesWithTheMainWindowAndIsLeftAloneAfterwards) {
    splash.Show();
    ::DestroyWindow(Main());
    EXPECT_EQ(Splash(), nullptr);
    HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    ::ShowWindow(other, SW_SHOWNOACTIVATE);
    ASSERT_EQ(::GetActiveWindow(), nullptr);
    splash.Show();
    splash.Hide();
    EXPECT_EQ(::GetActiveWindow(), nullptr);
    ::DestroyWindow(other);
}

}  // namespace
