// The viewer inside the main window: showing a file, its colour, word wrap.
#include "app/main_form.h"
#include "platform/errors.h"
#include "platform/shell.h"
#include "support/temp_folder.h"
#include "viewer/load_viewer_file.h"
#include "viewer/show_file.h"
#include "viewer_window.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using viewer_test::FormatAt;
using viewer_test::LineCount;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

class ViewerForm : public ::testing::Test {
protected:
    ViewerForm() : form(platform::SystemShell()) {
        ::ShowWindow(form.Handle(), SW_SHOW);
        ::UpdateWindow(form.Handle());
    }
    HWND Pane() { return form.memHTML().Handle(); }
    void ClickWordWrap(bool checked) {
        ::SendMessageA(form.cbWordWrap(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        form.cbWordWrapClick();
    }
    bool AutoColor(LONG offset) { return FormatAt(Pane(), offset).dwEffects & CFE_AUTOCOLOR; }

    test_support::TempFolder folder;
    app::TForm1 form;
};

// Pixels of the pane's text area as the screen shows them that `match` accepts.
template <typename Match>
int CountPixels(HWND pane, Match match) {
    ::RedrawWindow(pane, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client;
    ::GetClientRect(pane, &client);
    HDC dc = ::GetDC(pane);
    int count = 0;
    for (int y = 0; y < std::min<LONG>(client.bottom, 60); ++y) {
        for (int x = 0; x < std::min<LONG>(client.right, 200); ++x) {
            COLORREF c = ::GetPixel(dc, x, y);
            if (match(GetRValue(c), GetGValue(c), GetBValue(c))) ++count;
        }
    }
    ::ReleaseDC(pane, dc);
    return count;
}

bool Reddish(int r, int g, int b) { return r > 160 && g < 90 && b < 90; }
bool Dark(int r, int g, int b) { return r < 90 && g < 90 && b < 90; }

TEST_F(ViewerForm, ShowFileLoadsAndSetsTheWindowTextColour) {
    platform::Path path = folder.WriteFile("notes.txt", "first\nsecond");
    viewer::ShowFile(form.memHTML(), path);
    EXPECT_EQ(form.memHTML().Text(), "first\r\nsecond");
    EXPECT_EQ(form.memHTML().FontColor(), viewer::kWindowTextColor);
    EXPECT_TRUE(AutoColor(0));
    platform::Path empty = folder.WriteFile("empty.txt", "");
    viewer::ShowFile(form.memHTML(), empty);
    EXPECT_EQ(form.memHTML().Text(), "");
}

TEST_F(ViewerForm, TheFreshPaneTakesTheOldOnesPlaceAndFollowsTheLayout) {
    HWND old = Pane();
    RECT before;
    ::GetWindowRect(old, &before);
    std::string lines;
    for (int i = 0; i < 200; ++i) lines += "line " + std::to_string(i) + "\n";
    viewer::ShowFile(form.memHTML(), folder.WriteFile("lines.txt", lines));
    ASSERT_NE(Pane(), old);
    RECT after;
    ::GetWindowRect(Pane(), &after);
    EXPECT_TRUE(::EqualRect(&before, &after));
    EXPECT_EQ(::GetParent(Pane()), form.Handle());
    // A wider window widens the new pane.
    RECT window;
    ::GetWindowRect(form.Handle(), &window);
    ::SetWindowPos(form.Handle(), nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT wider;
    ::GetWindowRect(Pane(), &wider);
    EXPECT_EQ(wider.right - wider.left, after.right - after.left + 100);
    EXPECT_TRUE(::GetWindowLongA(Pane(), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ViewerForm, FailedLoadKeepsPaneAndColour) {
    platform::Path path = folder.WriteFile("busy.txt", "text");
    platform::UniqueFile writer{::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, 0, nullptr)};
    EXPECT_THROW(viewer::ShowFile(form.memHTML(), path), platform::EFOpenError);
    EXPECT_EQ(form.memHTML().Text(), app::kWelcomeText);
    EXPECT_EQ(form.memHTML().FontColor(), kBlue);
    EXPECT_EQ(FormatAt(Pane(), 0).crTextColor, kBlue);
}

TEST_F(ViewerForm, FileListChangeWithoutASelectedFileDoesNothing) {
    form.SetStatusText(L"before");
    form.FileListBoxChange();
    EXPECT_EQ(form.memHTML().Text(), app::kWelcomeText);
    EXPECT_EQ(form.StatusText(), L"before");
}

TEST_F(ViewerForm, FontColourRedrawsPlainTextAtOnce) {
    std::string lines;
    for (int i = 0; i < 10; ++i) lines += "MMMMMMMMMMMMMMMMMMMMMMMM\n";
    viewer::ShowFile(form.memHTML(), folder.WriteFile("lines.txt", lines));
    form.memHTML().SetFontColor(kRed);
    EXPECT_FALSE(AutoColor(3));
    EXPECT_EQ(FormatAt(Pane(), 3).crTextColor, kRed);
    viewer_test::Select(Pane(), 0, 0);
    EXPECT_GT(CountPixels(Pane(), Reddish), 50);
    form.memHTML().SetFontColor(viewer::kWindowTextColor);
    EXPECT_TRUE(AutoColor(3));
    viewer_test::Select(Pane(), 0, 0);
    EXPECT_EQ(CountPixels(Pane(), Reddish), 0);
    EXPECT_GT(CountPixels(Pane(), Dark), 50);
}

TEST_F(ViewerForm, WordWrapKeepsTheWelcomeTextBlue) {
    ClickWordWrap(true);
    EXPECT_TRUE(form.memHTML().WordWrap());
    EXPECT_EQ(form.memHTML().Text(), app::kWelcomeText);
    EXPECT_FALSE(AutoColor(0));
    EXPECT_EQ(FormatAt(Pane(), 0).crTextColor, kBlue);
    ClickWordWrap(false);
    EXPECT_FALSE(form.memHTML().WordWrap());
    EXPECT_EQ(form.memHTML().Text(), app::kWelcomeText);
    EXPECT_EQ(FormatAt(Pane(), 0).crTextColor, kBlue);
}

TEST_F(ViewerForm, WordWrapWrapsALoadedFileAndKeepsIt) {
    std::string text(3000, ' ');
    for (size_t i = 0; i < text.size(); i += 5) text.replace(i, 4, "word");
    text += "\r\nlast";
    viewer::LoadViewerFile(form.memHTML(), folder.WriteFile("long.txt", text), viewer::kWindowTextColor);
    EXPECT_EQ(LineCount(Pane()), 2);
    ClickWordWrap(true);
    EXPECT_EQ(form.memHTML().Text(), text);
    EXPECT_GT(LineCount(Pane()), 10);
    // The rebuilt pane takes plain text in its own font.
    viewer::LoadViewerFile(form.memHTML(), folder.WriteFile("short.txt", "short"), viewer::kWindowTextColor);
    EXPECT_STREQ(FormatAt(Pane(), 0).szFaceName, "Lucida Console");
    viewer::LoadViewerFile(form.memHTML(), folder.PathOf("long.txt"), viewer::kWindowTextColor);
    ClickWordWrap(false);
    EXPECT_EQ(form.memHTML().Text(), text);
    EXPECT_EQ(LineCount(Pane()), 2);
}

}  // namespace
