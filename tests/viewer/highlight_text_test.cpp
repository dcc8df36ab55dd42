#include "viewer/highlight_text.h"

#include "platform/errors.h"
#include "viewer_window.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <random>

namespace {

using viewer::HighlightText;
using viewer_test::Select;
using viewer_test::Selection;
using viewer_test::ViewerWindow;

bool operator==(const CHARRANGE& a, const CHARRANGE& b) { return a.cpMin == b.cpMin && a.cpMax == b.cpMax; }

::testing::AssertionResult Selected(HWND pane, LONG start, LONG end) {
    CHARRANGE s = Selection(pane);
    if (s == CHARRANGE{start, end}) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "selection " << s.cpMin << ".." << s.cpMax;
}

// The control's own case-sensitive forward search within `length` characters from `start`.
LONG FindInPane(const viewer::RichViewer& pane, const std::string& text, LONG start, LONG length) {
    FINDTEXTA find{};
    find.chrg.cpMin = start;
    find.chrg.cpMax = static_cast<LONG>(std::min<LONGLONG>(LONGLONG{start} + length, LONG_MAX));
    find.lpstrText = text.c_str();
    return static_cast<LONG>(::SendMessageA(pane.Handle(), EM_FINDTEXT, FR_MATCHCASE, reinterpret_cast<LPARAM>(&find)));
}

// The documented passes, literally, through the control's own search; returns the selection they leave.
CHARRANGE LiteralPasses(viewer::RichViewer& pane, const std::string& text) {
    const LONG length = static_cast<LONG>(text.size());
    LONG n = static_cast<LONG>(pane.Text().size());
    LONG p = 0;
    while (FindInPane(pane, text, p, n) != -1) {
        n = static_cast<LONG>(pane.Text().size()) - p;
        LONG h = FindInPane(pane, text, p, n);
        p += length;
        Select(pane.Handle(), h, h + length);
    }
    return Selection(pane.Handle());
}

TEST(HighlightText, SameSelectionAsTheLiteralPassesOnRandomTexts) {
    ViewerWindow window;
    viewer::RichViewer& pane = window.Pane();
    std::mt19937 random(7);
    const char* pieces[] = {"a", "a", "b", "A", "\r\n", " "};
    const char* needles[] = {"a", "b", "aa", "ab", "aba", "aaa", "A", "a\r\na", "b a"};
    for (int round = 0; round < 150; ++round) {
        std::string text;
        for (int i = random() % 60; i > 0; --i) text += pieces[random() % std::size(pieces)];
        std::string needle = needles[random() % std::size(needles)];
        pane.SetText(text);
        Select(pane.Handle(), 0, 0);
        CHARRANGE expected = LiteralPasses(pane, needle);
        Select(pane.Handle(), 0, 0);
        HighlightText(pane, needle);
        ASSERT_TRUE(Selected(pane.Handle(), expected.cpMin, expected.cpMax)) << "round " << round;
    }
}

TEST(HighlightText, OneOccurrenceIsSelectedAndThePaneTakesTheFocus) {
    ViewerWindow window;
    // Offsets count the line break as two characters.
    window.Pane().SetText("0123\r\n6789abc0123");
    ::SetFocus(window.Top());
    HighlightText(window.Pane(), "abc");
    EXPECT_TRUE(Selected(window.PaneHandle(), 10, 13));
    EXPECT_EQ(::GetFocus(), window.PaneHandle());
}

TEST(HighlightText, AbsentOrEmptyTextChangesNeitherSelectionNorFocus) {
    ViewerWindow window;
    window.Pane().SetText("SOME TEXT");
    Select(window.PaneHandle(), 1, 3);
    ::SetFocus(window.Top());
    for (const char* text : {"text", "missing", ""}) {
        HighlightText(window.Pane(), text);
        EXPECT_TRUE(Selected(window.PaneHandle(), 1, 3)) << text;
        EXPECT_EQ(::GetFocus(), window.Top()) << text;
    }
}

TEST(HighlightText, ActivatesThePanesWindowWhenAnotherWindowIsActive) {
    ViewerWindow window;
    ViewerWindow other;
    window.Pane().SetText("find me");
    ::SetActiveWindow(other.Top());
    ASSERT_EQ(::GetActiveWindow(), other.Top());
    HighlightText(window.Pane(), "me");
    EXPECT_EQ(::GetActiveWindow(), window.Top());
    EXPECT_EQ(::GetFocus(), window.PaneHandle());
    EXPECT_TRUE(Selected(window.PaneHandle(), 5, 7));
}

void ExpectCannotFocus(viewer::RichViewer& pane) {
    try {
        HighlightText(pane, "text");
        FAIL() << "no error";
    } catch (const platform::EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), L"Cannot focus a disabled or invisible window");
    }
}

TEST(HighlightText, HiddenPaneCannotTakeTheFocus) {
    ViewerWindow window(false);
    window.Pane().SetText("some text");
    Select(window.PaneHandle(), 0, 0);
    ExpectCannotFocus(window.Pane());
    EXPECT_TRUE(Selected(window.PaneHandle(), 0, 0));
    // Without an occurrence no pass runs, so nothing asks for the focus.
    EXPECT_NO_THROW(HighlightText(window.Pane(), "absent"));
}

TEST(HighlightText, DisabledWindowCannotTakeTheFocusAndRedrawingIsResumed) {
    ViewerWindow window;
    window.Pane().SetText("some text");
    ::EnableWindow(window.Top(), FALSE);
    ExpectCannotFocus(window.Pane());
    // Suspended redrawing takes the visible style off the window (as on Windows); it is back.
    EXPECT_TRUE(::GetWindowLongA(window.PaneHandle(), GWL_STYLE) & WS_VISIBLE);
    ::EnableWindow(window.Top(), TRUE);
}

}  // namespace
