// The main window on the screen after a person has widened it; kept as
// <build>\screenshots\main_window_wide.bmp to look at.
#include "app/main_form.h"
#include "support/recording_shell.h"
#include "support/screen_capture.h"

#include <gtest/gtest.h>

namespace {

using test_support::InCapture;
using test_support::ScreenCapture;
using test_support::ShotWhen;

bool Blue(COLORREF c) { return GetBValue(c) > 160 && GetRValue(c) < 110 && GetGValue(c) < 110; }
bool White(COLORREF c) { return c == RGB(255, 255, 255); }

TEST(MainFormOnScreen, AfterWideningEveryPartIsRedrawnInItsNewPlace) {
    test_support::RecordingShell shell;
    app::TForm1 form(shell);
    form.Show();
    // Showing empties the status bar; a text to look for at its new place.
    form.SetStatusText(L" Copyright (c) 2005 Zavotek");
    const HWND viewer = form.memHTML().Handle(), status = form.StatBar();
    ShotWhen(form.Handle(), [&](const ScreenCapture& shot) { return shot.Count(InCapture(viewer, shot), Blue) > 200; });

    // Widened by its right and bottom edges, as a person drags the frame's corner.
    RECT window;
    ::GetWindowRect(form.Handle(), &window);
    ::MoveWindow(form.Handle(), window.left, window.top, 900, 600, TRUE);
    ::GetWindowRect(form.Handle(), &window);
    ASSERT_EQ(window.right - window.left, 900);
    auto inText = [](COLORREF c) { return c == ::GetSysColor(COLOR_BTNTEXT); };
    // A graphic button's caption pixels, at its place on the panel.
    auto caption = [&](const ScreenCapture& s, const widgets::GraphicButton& button) {
        RECT place = button.Place();
        const RECT panel = InCapture(form.Panel1().Handle(), s);
        ::OffsetRect(&place, panel.left, panel.top);
        return s.Count(place, inText);
    };
    // Looked at until every part is drawn, which a window under load may take some moments for.
    auto shot = ShotWhen(form.Handle(), [&](const ScreenCapture& s) {
        return s.Count(InCapture(viewer, s), Blue) > 200 && s.Count(InCapture(status, s, 2), White) == 0 &&
               caption(s, form.btnReplace()) > 10 && caption(s, form.btnGlobReplace()) > 10;
    });
    EXPECT_TRUE(shot->SaveBmp(test_support::ScreenshotFolder() + "\\main_window_wide.bmp"));

    EXPECT_GT(shot->Count(InCapture(viewer, *shot), Blue), 200) << "the welcome text is drawn in blue";
    EXPECT_EQ(shot->Count(InCapture(form.FileListBox().Handle(), *shot), Blue), 0);
    // The status bar at its new place shows itself, not what was on the screen there before.
    EXPECT_EQ(shot->Count(InCapture(status, *shot, 2), White), 0);
    EXPECT_GT(shot->Count(InCapture(status, *shot, 2), inText), 20) << "the notice is drawn";

    // The panel in the button-face colour, left of the inputs.
    const RECT panel = InCapture(form.Panel1().Handle(), *shot);
    EXPECT_EQ(shot->At(panel.left + 4, panel.bottom - 4), ::GetSysColor(COLOR_BTNFACE));
    // Each graphic button drawn at its place at the right end, its caption in the button-text colour.
    for (const widgets::GraphicButton* button : {&form.btnReplace(), &form.btnGlobReplace()}) {
        EXPECT_GT(button->Place().left + panel.left, 600);
        EXPECT_GT(caption(*shot, *button), 10) << button->Caption();
    }
}

}  // namespace
