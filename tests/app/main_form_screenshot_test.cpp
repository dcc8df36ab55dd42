// The main window on the screen after a person has widened it; kept as
// <build>\screenshots\main_window_wide.bmp to look at.
#include "app/main_form.h"
#include "support/recording_shell.h"
#include "support/screen_capture.h"
#include "support/window_driving.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using test_support::ScreenCapture;

bool Blue(COLORREF c) { return GetBValue(c) > 160 && GetRValue(c) < 110 && GetGValue(c) < 110; }
bool White(COLORREF c) { return c == RGB(255, 255, 255); }

// A child's place within the captured window.
RECT InCapture(HWND child, const RECT& window) {
    RECT r;
    ::GetWindowRect(child, &r);
    ::OffsetRect(&r, -window.left, -window.top);
    return r;
}

// The window as the screen shows it once `ready` holds, or after a bounded wait: the window
// system shows what was drawn some moments later.
std::unique_ptr<ScreenCapture> ShotWhen(HWND window, const std::function<bool(const ScreenCapture&)>& ready) {
    std::unique_ptr<ScreenCapture> shot;
    for (int attempt = 0; attempt < 100; ++attempt) {
        test_support::DispatchWaitingMessages();
        ::Sleep(50);
        RECT r;
        ::GetWindowRect(window, &r);
        shot = std::make_unique<ScreenCapture>(r);
        if (ready(*shot)) break;
    }
    return shot;
}

TEST(MainFormOnScreen, AfterWideningEveryPartIsRedrawnInItsNewPlace) {
    test_support::RecordingShell shell;
    app::TForm1 form(shell);
    form.Show();
    // Showing empties the status bar; a text to look for at its new place.
    form.SetStatusText(L" Copyright (c) 2005 Zavotek");
    RECT window;
    ::GetWindowRect(form.Handle(), &window);
    ShotWhen(form.Handle(), [&](const ScreenCapture& shot) {
        return shot.Count(InCapture(form.memHTML().Handle(), window), Blue) > 200;
    });

    // Widened by its right and bottom edges, as a person drags the frame's corner.
    ::MoveWindow(form.Handle(), window.left, window.top, 900, 600, TRUE);
    ::GetWindowRect(form.Handle(), &window);
    ASSERT_EQ(window.right - window.left, 900);
    const RECT viewer = InCapture(form.memHTML().Handle(), window);
    RECT status = InCapture(form.StatBar(), window);
    ::InflateRect(&status, -2, -2);  // inside its edges
    auto shot = ShotWhen(form.Handle(), [&](const ScreenCapture& s) {
        return s.Count(viewer, Blue) > 200 && s.Count(status, White) == 0;
    });
    EXPECT_TRUE(shot->SaveBmp(test_support::ScreenshotFolder() + "\\main_window_wide.bmp"));

    EXPECT_GT(shot->Count(viewer, Blue), 200) << "the welcome text is drawn in blue";
    EXPECT_EQ(shot->Count(InCapture(form.FileListBox().Handle(), window), Blue), 0);
    // The status bar at its new place shows itself, not what was on the screen there before.
    EXPECT_EQ(shot->Count(status, White), 0);
    EXPECT_GT(shot->Count(status, [](COLORREF c) { return c == ::GetSysColor(COLOR_BTNTEXT); }), 20)
        << "the notice is drawn";

    // The panel in the button-face colour, left of the inputs.
    RECT panel = InCapture(form.Panel1().Handle(), window);
    EXPECT_EQ(shot->At(panel.left + 4, panel.bottom - 4), ::GetSysColor(COLOR_BTNFACE));
    // Each graphic button drawn at its place at the right end, its caption in the button-text colour.
    for (const widgets::GraphicButton* button : {&form.btnReplace(), &form.btnGlobReplace()}) {
        RECT place = button->Place();
        ::OffsetRect(&place, panel.left, panel.top);
        EXPECT_GT(place.left, 600);
        EXPECT_GT(shot->Count(place, [](COLORREF c) { return c == ::GetSysColor(COLOR_BTNTEXT); }), 10)
            << button->Caption();
    }
}

}  // namespace
