// The progress window on the screen over the main window, as a person sees it during a command;
// kept as <build>\screenshots\progress_window.bmp to look at.
#include "app/main_form.h"
#include "app/search_splash.h"
#include "support/recording_shell.h"
#include "support/screen_capture.h"
#include "widgets/application.h"

#include <gtest/gtest.h>

namespace {

using test_support::InCapture;
using test_support::ScreenCapture;

TEST(SearchSplashOnScreen, ShowsOverTheMainWindowWithItsText) {
    widgets::Application application("Zavotek - Search & Replace");
    test_support::RecordingShell shell;
    app::TForm1 form(shell);
    form.Show();
    app::TfrmSearchSplash splash;
    splash.Show();

    // The label's text in the window-text colour on the button face.
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT), face = ::GetSysColor(COLOR_BTNFACE);
    auto inText = [&](COLORREF c) { return c == text; };
    const auto shot = test_support::ShotWhen(
        form.Handle(), [&](const ScreenCapture& s) { return s.Count(InCapture(splash.Label1(), s), inText) > 100; });
    ASSERT_TRUE(shot->SaveBmp(test_support::ScreenshotFolder() + "\\progress_window.bmp"));
    EXPECT_GT(shot->Count(InCapture(splash.Label1(), *shot), inText), 100);
    EXPECT_GT(shot->Count(InCapture(splash.Label1(), *shot), [&](COLORREF c) { return c == face; }), 1000);
}

}  // namespace
