#include "viewer/load_viewer_file.h"

#include "platform/errors.h"
#include "viewer/highlight_text.h"
#include "support/forwarding_file_system.h"
#include "support/temp_folder.h"
#include "viewer_window.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using viewer::LoadViewerFile;
using viewer_test::ViewerWindow;

constexpr COLORREF kText = viewer::kWindowTextColor;

// Hands out at most a few bytes per read, so that line breaks fall across reads.
class TrickleFileSystem final : public test_support::ForwardingFileSystem {
public:
    explicit TrickleFileSystem(DWORD most) : most_(most) {}
    bool ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read) override {
        return ForwardingFileSystem::ReadFile(file, buffer, std::min(count, most_), read);
    }

private:
    DWORD most_;
};

// Fails every read.
class FailingReadFileSystem final : public test_support::ForwardingFileSystem {
public:
    bool ReadFile(HANDLE, void*, DWORD, DWORD*) override {
        ::SetLastError(ERROR_READ_FAULT);
        return false;
    }
};

bool OpensExclusively(const platform::Path& path) {
    platform::UniqueFile file{
        ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)};
    return static_cast<bool>(file);
}

TEST(LoadViewerFile, LfOnlyAndCrOnlyFilesShowOneLinePerBreakCountedAsTwo) {
    test_support::TempFolder folder;
    ViewerWindow window;
    for (const char* breaks : {"\n", "\r"}) {
        std::string b = breaks;
        LoadViewerFile(window.Pane(), folder.WriteFile("lines.txt", "one" + b + "two" + b + "three"), kText);
        EXPECT_EQ(window.Pane().Text(), "one\r\ntwo\r\nthree");
        EXPECT_EQ(viewer_test::LineCount(window.PaneHandle()), 3);
    }
    EXPECT_EQ(::SendMessageA(window.PaneHandle(), EM_GETLIMITTEXT, 0, 0), viewer::kTextLimit);
}

TEST(LoadViewerFile, BreaksSplitAcrossReadsStayOneBreak) {
    test_support::TempFolder folder;
    ViewerWindow window;
    platform::Path path = folder.WriteFile("mixed.txt", "a\r\nb\r\r\nc\n\rd\r\n");
    for (DWORD most : {1u, 2u, 3u}) {
        TrickleFileSystem fs(most);
        LoadViewerFile(window.Pane(), path, kText, fs);
        EXPECT_EQ(window.Pane().Text(), "a\r\nb\r\n\r\nc\r\n\r\nd\r\n") << most;
    }
    // Breaks at both ends.
    LoadViewerFile(window.Pane(), folder.WriteFile("ends.txt", "\nx\r"), kText);
    EXPECT_EQ(window.Pane().Text(), "\r\nx\r\n");
}

TEST(LoadViewerFile, EmptyFileEmptiesThePane) {
    test_support::TempFolder folder;
    ViewerWindow window;
    window.Pane().SetText("before");
    LoadViewerFile(window.Pane(), folder.WriteFile("empty.txt", ""), kText);
    EXPECT_EQ(window.Pane().Text(), "");
}

TEST(LoadViewerFile, RichTextIsReadAsRichText) {
    test_support::TempFolder folder;
    ViewerWindow window;
    LoadViewerFile(window.Pane(),
                   folder.WriteFile("doc.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain {\\b bold} end}"),
                   kText);
    EXPECT_EQ(window.Pane().Text(), "plain bold end");
    EXPECT_TRUE(viewer_test::FormatAt(window.PaneHandle(), 7).dwEffects & CFE_BOLD);
    EXPECT_FALSE(viewer_test::FormatAt(window.PaneHandle(), 1).dwEffects & CFE_BOLD);
}

TEST(LoadViewerFile, FileHeldOpenForWritingGivesTheOpenErrorAndKeepsThePane) {
    test_support::TempFolder folder;
    ViewerWindow window;
    window.Pane().SetText("before");
    platform::Path path = folder.WriteFile("busy.txt", "text");
    platform::UniqueFile writer{::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, 0, nullptr)};
    ASSERT_TRUE(writer);
    try {
        LoadViewerFile(window.Pane(), path, kText);
        FAIL() << "no error";
    } catch (const platform::EFOpenError& e) {
        EXPECT_EQ(e.Message(), L"Cannot open file \"" + path.Text() + L"\". " +
                                   platform::SystemErrorText(ERROR_SHARING_VIOLATION));
    }
    EXPECT_EQ(window.Pane().Text(), "before");
}

TEST(LoadViewerFile, ReadFailureFailsTheLoadWithThePaneAndItsColourKeptAndClosesTheFile) {
    test_support::TempFolder folder;
    ViewerWindow window;
    window.Pane().SetFontColor(RGB(0, 0, 255));
    window.Pane().SetText("before");
    platform::Path path = folder.WriteFile("unreadable.txt", "text");
    FailingReadFileSystem fs;
    try {
        LoadViewerFile(window.Pane(), path, kText, fs);
        FAIL() << "no error";
    } catch (const platform::EOutOfResources& e) {
        EXPECT_EQ(e.Message(), L"Failed to Load Stream");
    }
    EXPECT_EQ(window.Pane().Text(), "before");
    EXPECT_EQ(window.Pane().FontColor(), RGB(0, 0, 255));
    EXPECT_TRUE(OpensExclusively(path));
}

SCROLLINFO VerticalBar(HWND pane) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE};
    ::GetScrollInfo(pane, SB_VERT, &info);
    return info;
}

// Beyond a bound (lowered here), the start of a file goes in by pieces between the window's
// messages. From the first piece on, the vertical bar is the one the whole shown part gets at
// once; the user's selection and view stay; the grey line after it counts the rest, and the
// highlight does not look into it.
TEST(LoadViewerFile, ALargeFileGoesInByPiecesUpToTheBoundAndCountsTheRest) {
    test_support::TempFolder folder;
    std::string file;
    for (int i = 0; i < 4000; ++i) file += "line " + std::to_string(i) + (i % 2 ? "\n" : "\r\n");
    platform::Path path = folder.WriteFile("large.txt", file);
    const viewer::ShowLimits limits{file.size() / 2, 100, 2000};
    ViewerWindow whole;
    LoadViewerFile(whole.Pane(), path, kText, platform::SystemFileSystem(), {limits.shownCost, 100, SIZE_MAX});
    ASSERT_FALSE(whole.Pane().Loading());

    ViewerWindow window;
    LoadViewerFile(window.Pane(), path, kText, platform::SystemFileSystem(), limits);
    ASSERT_TRUE(window.Pane().Loading());
    EXPECT_EQ(VerticalBar(window.PaneHandle()).nMax, VerticalBar(whole.PaneHandle()).nMax);
    viewer_test::Select(window.PaneHandle(), 10, 20);
    ::SendMessageA(window.PaneHandle(), EM_LINESCROLL, 0, 5);
    for (DWORD start = ::GetTickCount(); window.Pane().Loading() && ::GetTickCount() - start < 60000;) {
        MSG msg;
        if (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
    }
    ASSERT_FALSE(window.Pane().Loading());
    EXPECT_EQ(window.Pane().Text(), whole.Pane().Text());
    EXPECT_EQ(VerticalBar(window.PaneHandle()).nMax, VerticalBar(whole.PaneHandle()).nMax);
    EXPECT_EQ(viewer_test::Selection(window.PaneHandle()).cpMin, 10);
    EXPECT_EQ(viewer_test::Selection(window.PaneHandle()).cpMax, 20);
    EXPECT_EQ(::SendMessageA(window.PaneHandle(), EM_GETFIRSTVISIBLELINE, 0, 0), 5);

    // The text before the grey line is the shown part with its breaks made CR LF.
    std::string shown = file.substr(0, limits.shownCost);
    shown = shown.substr(0, shown.find_last_of('\n') + 1);
    std::string converted;
    for (char c : shown) converted += c == '\n' && (converted.empty() || converted.back() != '\r') ? "\r\n" : std::string(1, c);
    const std::string text = window.Pane().Text();
    EXPECT_EQ(text.substr(0, static_cast<size_t>(window.Pane().TextLength())), converted);
    EXPECT_EQ(text.substr(converted.size()), viewer::NotShownNote(file.size() - shown.size()));
    viewer::HighlightText(window.Pane(), "more");
    EXPECT_EQ(viewer_test::Selection(window.PaneHandle()).cpMin, 10);

    // Stopped after the first piece, the grey line counts what did not go in as well.
    LoadViewerFile(window.Pane(), path, kText, platform::SystemFileSystem(), limits);
    window.Pane().StopLoading();
    EXPECT_FALSE(window.Pane().Loading());
    EXPECT_LT(window.Pane().TextLength(), whole.Pane().TextLength());
    EXPECT_NE(window.Pane().Text().find("more bytes"), std::string::npos);
}

}  // namespace
