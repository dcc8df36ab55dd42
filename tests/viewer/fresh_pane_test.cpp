// Each load makes the pane's window afresh, in the colour the file is shown in and with the scroll
// bars the text needs; the result must be what the control gives a text on its own.
#include "platform/errors.h"
#include "support/temp_folder.h"
#include "viewer/highlight_text.h"
#include "viewer/load_viewer_file.h"
#include "viewer/pane_stream.h"
#include "viewer_window.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using viewer::LoadViewerFile;
using viewer_test::FormatAt;
using viewer_test::LineCount;
using viewer_test::ViewerWindow;

constexpr COLORREF kRed = RGB(255, 0, 0);

std::string Lines(int count, size_t width, char fill) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::to_string(i) + std::string(width, fill) + "\r\n";
    return text;
}

struct Bar {
    bool shown;
    int max, page;
};

Bar BarOf(HWND pane, int which) {
    SCROLLINFO info{sizeof info, SIF_PAGE | SIF_RANGE};
    ::GetScrollInfo(pane, which, &info);
    LONG style = ::GetWindowLongA(pane, GWL_STYLE);
    bool shown = (style & (which == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
    return {shown, shown ? info.nMax : 0, shown ? static_cast<int>(info.nPage) : 0};
}

// The bars, their ranges and pages, line count and text agree with what the control gives the same
// text when it is set in one go into a fresh pane of the same size, where nothing is predicted.
::testing::AssertionResult SameAsTheControlAlone(ViewerWindow& window, bool wrap = false) {
    ViewerWindow reference;
    reference.Pane().SetWordWrap(wrap);
    reference.Pane().SetText(window.Pane().Text());
    HWND a = window.PaneHandle(), b = reference.PaneHandle();
    for (int which : {SB_VERT, SB_HORZ}) {
        Bar mine = BarOf(a, which), theirs = BarOf(b, which);
        if (mine.shown != theirs.shown || mine.max != theirs.max || mine.page != theirs.page)
            return ::testing::AssertionFailure()
                   << (which == SB_VERT ? "vertical" : "horizontal") << " bar: shown " << mine.shown << " max "
                   << mine.max << " page " << mine.page << ", the control alone: shown " << theirs.shown << " max "
                   << theirs.max << " page " << theirs.page;
    }
    if (LineCount(a) != LineCount(b)) return ::testing::AssertionFailure() << "line count " << LineCount(a);
    return ::testing::AssertionSuccess();
}

bool Vertical(HWND pane) { return BarOf(pane, SB_VERT).shown; }
bool Horizontal(HWND pane) { return BarOf(pane, SB_HORZ).shown; }

TEST(FreshPane, ReloadOverAnotherFileEndsAsAFirstLoadInAFreshWindow) {
    test_support::TempFolder folder;
    ViewerWindow window;
    // Siblings before and after the pane, to see that the new window keeps its place among them.
    HWND top = window.Top();
    platform::UniqueHwnd before{::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, top, nullptr, nullptr, nullptr)};
    ::SetWindowPos(before.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    platform::UniqueHwnd after{::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, top, nullptr, nullptr, nullptr)};
    ::SetWindowPos(after.get(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const std::string first = Lines(500, 150, 'a'), second = Lines(60, 20, 'b');
    LoadViewerFile(window.Pane(), folder.WriteFile("first.txt", first), viewer::kWindowTextColor,
                   platform::SystemFileSystem(), {SIZE_MAX, SIZE_MAX, SIZE_MAX});
    HWND old = window.PaneHandle();
    RECT oldPlace;
    ::GetWindowRect(old, &oldPlace);
    ::SendMessageA(old, EM_LINESCROLL, 0, 300);
    viewer_test::Select(old, 5000, 5010);
    ::SetFocus(old);

    LoadViewerFile(window.Pane(), folder.WriteFile("second.txt", second), kRed);

    HWND pane = window.PaneHandle();
    EXPECT_NE(pane, old);
    // The old window, which holds much text, goes at the next tick of the fresh one, hidden until then.
    EXPECT_TRUE(::IsWindow(old) && !::IsWindowVisible(old));
    MSG msg;
    for (DWORD start = ::GetTickCount(); ::IsWindow(old) && ::GetTickCount() - start < 2000;)
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    EXPECT_FALSE(::IsWindow(old));
    RECT place;
    ::GetWindowRect(pane, &place);
    EXPECT_TRUE(::EqualRect(&place, &oldPlace));
    EXPECT_EQ(::GetDlgCtrlID(pane), 1);
    EXPECT_EQ(::GetWindow(pane, GW_HWNDPREV), before.get());
    EXPECT_EQ(::GetWindow(pane, GW_HWNDNEXT), after.get());
    EXPECT_EQ(::GetFocus(), pane);
    EXPECT_TRUE(::IsWindowVisible(pane));

    // Exactly what a first load of the second file into a new pane gives.
    ViewerWindow fresh;
    LoadViewerFile(fresh.Pane(), folder.PathOf("second.txt"), kRed);
    EXPECT_EQ(window.Pane().Text(), fresh.Pane().Text());
    EXPECT_EQ(window.Pane().Text(), second);
    EXPECT_EQ(LineCount(pane), LineCount(fresh.PaneHandle()));
    EXPECT_EQ(::SendMessageA(pane, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    for (int which : {SB_VERT, SB_HORZ}) {
        Bar mine = BarOf(pane, which), theirs = BarOf(fresh.PaneHandle(), which);
        EXPECT_EQ(mine.shown, theirs.shown);
        EXPECT_EQ(mine.max, theirs.max);
        EXPECT_EQ(mine.page, theirs.page);
    }
    EXPECT_EQ(::SendMessageA(pane, EM_GETLIMITTEXT, 0, 0), viewer::kTextLimit);
    EXPECT_EQ(window.Pane().FontColor(), kRed);
    CHARFORMATA format = FormatAt(pane, 10);
    EXPECT_FALSE(format.dwEffects & CFE_AUTOCOLOR);
    EXPECT_EQ(format.crTextColor, kRed);
    EXPECT_STREQ(format.szFaceName, "Lucida Console");

    // The new window answers the pane's routines.
    viewer::HighlightText(window.Pane(), "59bbb");
    CHARRANGE selection = viewer_test::Selection(pane);
    EXPECT_EQ(selection.cpMin, static_cast<LONG>(second.find("59bbb")));
    EXPECT_EQ(selection.cpMax, selection.cpMin + 5);
}

TEST(FreshPane, ScrollBarsOnlyWhereTheTextNeedsThem) {
    test_support::TempFolder folder;
    ViewerWindow window;
    LoadViewerFile(window.Pane(), folder.WriteFile("short.txt", Lines(3, 10, 's')), viewer::kWindowTextColor);
    EXPECT_FALSE(Vertical(window.PaneHandle()));
    EXPECT_FALSE(Horizontal(window.PaneHandle()));
    EXPECT_TRUE(SameAsTheControlAlone(window));

    LoadViewerFile(window.Pane(), folder.WriteFile("tall.txt", Lines(200, 10, 't')), viewer::kWindowTextColor);
    EXPECT_TRUE(Vertical(window.PaneHandle()));
    EXPECT_FALSE(Horizontal(window.PaneHandle()));
    EXPECT_TRUE(SameAsTheControlAlone(window));

    LoadViewerFile(window.Pane(), folder.WriteFile("wide.txt", Lines(3, 300, 'w')), viewer::kWindowTextColor);
    EXPECT_FALSE(Vertical(window.PaneHandle()));
    EXPECT_TRUE(Horizontal(window.PaneHandle()));
    EXPECT_TRUE(SameAsTheControlAlone(window));

    // Tabs and accented letters: the width is not predicted, the control still gets its bars.
    std::string uneven;
    for (int i = 0; i < 40; ++i) uneven += "caf\xE9\t" + std::string(120, 'u') + "\r\n";
    LoadViewerFile(window.Pane(), folder.WriteFile("uneven.txt", uneven), viewer::kWindowTextColor);
    ASSERT_TRUE(viewer_test::Settle(window.Pane()));
    EXPECT_TRUE(Horizontal(window.PaneHandle()));
    EXPECT_TRUE(SameAsTheControlAlone(window));

    window.Pane().SetWordWrap(true);
    for (const char* name : {"short.txt", "tall.txt", "wide.txt", "uneven.txt"}) {
        LoadViewerFile(window.Pane(), folder.PathOf(name), viewer::kWindowTextColor);
        ASSERT_TRUE(viewer_test::Settle(window.Pane()));
        EXPECT_FALSE(Horizontal(window.PaneHandle())) << name;
        EXPECT_TRUE(SameAsTheControlAlone(window, true)) << name;
    }
    EXPECT_TRUE(Vertical(window.PaneHandle()));
}

// The bars shown before the text goes in follow a guess; where it was wrong, the pane still ends
// with the bars the control wants.
TEST(FreshPane, WronglyGuessedBarsEndAsTheControlWants) {
    ViewerWindow window;
    const std::string little = "two\r\nlines";
    window.Pane().Load(little, viewer::TextShape{100000, 100000, true}, viewer::kWindowTextColor);
    EXPECT_EQ(window.Pane().Text(), little);
    EXPECT_FALSE(Vertical(window.PaneHandle()));
    EXPECT_FALSE(Horizontal(window.PaneHandle()));
    EXPECT_TRUE(SameAsTheControlAlone(window));

    const std::string big = Lines(300, 200, 'x');
    window.Pane().Load(big, viewer::TextShape{}, viewer::kWindowTextColor);
    EXPECT_TRUE(Vertical(window.PaneHandle()));
    EXPECT_TRUE(Horizontal(window.PaneHandle()));
    EXPECT_TRUE(SameAsTheControlAlone(window));

    // A wide guess on a text that needs only the vertical bar.
    const std::string tall = Lines(300, 5, 'y');
    window.Pane().Load(tall, viewer::TextShape{300, 100000, true}, viewer::kWindowTextColor);
    EXPECT_TRUE(Vertical(window.PaneHandle()));
    EXPECT_FALSE(Horizontal(window.PaneHandle()));
    EXPECT_TRUE(SameAsTheControlAlone(window));
}

TEST(FreshPane, TheColourGivenToTheLoadIsWhatTheTextShows) {
    test_support::TempFolder folder;
    ViewerWindow window;
    LoadViewerFile(window.Pane(), folder.WriteFile("red.txt", Lines(8, 30, 'M')), kRed);
    HWND pane = window.PaneHandle();
    EXPECT_EQ(window.Pane().FontColor(), kRed);
    EXPECT_EQ(FormatAt(pane, 4).crTextColor, kRed);
    viewer_test::Select(pane, 0, 0);
    ::RedrawWindow(pane, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = ::GetDC(pane);
    int red = 0, dark = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 150; ++x) {
            COLORREF c = ::GetPixel(dc, x, y);
            if (GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90) ++red;
            if (GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90) ++dark;
        }
    }
    ::ReleaseDC(pane, dc);
    EXPECT_GT(red, 50);
    EXPECT_EQ(dark, 0);
    // Clearing keeps the colour for what comes next.
    window.Pane().Clear();
    EXPECT_EQ(window.Pane().Text(), "");
    window.Pane().SetText("after");
    EXPECT_EQ(FormatAt(window.PaneHandle(), 1).crTextColor, kRed);
}

TEST(FreshPane, OnlyValidRichTextStartingWithABraceIsReadAsRichText) {
    test_support::TempFolder folder;
    ViewerWindow window;
    LoadViewerFile(window.Pane(), folder.WriteFile("doc.rtf", "{\\rtf1\\ansi plain {\\i slanted}}"), kRed);
    EXPECT_EQ(window.Pane().Text(), "plain slanted");
    EXPECT_TRUE(FormatAt(window.PaneHandle(), 8).dwEffects & CFE_ITALIC);
    EXPECT_EQ(FormatAt(window.PaneHandle(), 1).crTextColor, kRed);
    EXPECT_TRUE(SameAsTheControlAlone(window));
    // Word wrap moves rich content across as rich text.
    window.Pane().SetWordWrap(true);
    EXPECT_EQ(window.Pane().Text(), "plain slanted");
    EXPECT_TRUE(FormatAt(window.PaneHandle(), 8).dwEffects & CFE_ITALIC);
    window.Pane().SetWordWrap(false);

    const std::string json = "{\"name\": \"value\",\n \"list\": [1, 2]}\n";
    LoadViewerFile(window.Pane(), folder.WriteFile("data.json", json), viewer::kWindowTextColor);
    EXPECT_EQ(window.Pane().Text(), "{\"name\": \"value\",\r\n \"list\": [1, 2]}\r\n");
}

TEST(FreshPane, ABreakAcrossTheControlsReadsIsOneBreak) {
    test_support::TempFolder folder;
    ViewerWindow window;
    // The control asks for 4,096 bytes at a time and is given half from the file; put a CR LF
    // across each of the first boundaries, and a lone CR on one.
    std::string text = std::string(2047, 'a') + "\r\n" + std::string(2046, 'b') + "\r\n" + std::string(4094, 'c') +
                       "\r" + std::string(100, 'd');
    ASSERT_EQ(text[4095], '\r');
    ASSERT_EQ(text[4096], '\n');
    ASSERT_EQ(text[8191], '\r');
    LoadViewerFile(window.Pane(), folder.WriteFile("boundary.txt", text), viewer::kWindowTextColor);
    ASSERT_TRUE(viewer_test::Settle(window.Pane()));
    std::string expected = text;
    expected.insert(8192, "\n");
    EXPECT_EQ(window.Pane().Text(), expected);
    EXPECT_EQ(LineCount(window.PaneHandle()), 4);
}

TEST(FreshPane, AFailedOpenLeavesTheSameWindow) {
    test_support::TempFolder folder;
    ViewerWindow window;
    window.Pane().SetText("kept");
    HWND pane = window.PaneHandle();
    EXPECT_THROW(LoadViewerFile(window.Pane(), folder.PathOf("missing.txt"), kRed), platform::EFOpenError);
    EXPECT_EQ(window.PaneHandle(), pane);
    EXPECT_EQ(window.Pane().Text(), "kept");
    EXPECT_NE(window.Pane().FontColor(), kRed);
}

}  // namespace
