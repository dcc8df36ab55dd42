// The progress window on the screen over the main window, as a person sees it during a command;
// kept as <build>\screenshots\progress_window.bmp to look at.
#include "app/main_form.h"
#include "app/search_splash.h"
#include "support/recording_shell.h"
#include "support/screen_capture.h"
#include "support/window_driving.h"
#include "widgets/application.h"

#include <gtest/gtest.h>

namespace {

using test_support::ScreenCapture;

RECT WindowRect(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    return r;
}

TEST(SearchSplashOnScreen, ShowsOverTheMainWindowWithItsText) {
    widgets::Application application("Zavotek - Search & Replace");
    test_support::RecordingShell shell;
    app::TForm1 form(shell);
    form.Show();
    app::TfrmSearchSplash splash;
    splash.Show();
    test_support::DispatchWaitingMessages();
    ::Sleep(300);
    test_support::DispatchWaitingMessages();

    const RECT main = WindowRect(form.Handle());
    ScreenCapture shot(main);
    ASSERT_TRUE(shot.SaveBmp(test_support::ScreenshotFolder() + "\\progress_window.bmp"));

    // The label's text in the window-text colour on the button face.
    RECT label = WindowRect(splash.Label1());
    ::OffsetRect(&label, -main.left, -main.top);
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT), face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_GT(shot.Count(label, [&](COLORREF c) { return c == text; }), 100);
    EXPECT_GT(shot.Count(label, [&](COLORREF c) { return c == face; }), 1000);
}

}  // namespace
