#include "viewer/load_viewer_file.h"

#include "platform/errors.h"
#include "viewer/highlight_text.h"
#include "support/error_recorder.h"
#include "support/forwarding_file_system.h"
#include "support/temp_folder.h"
#include "viewer_window.h"
#include "widgets/window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

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
// once; the user's selection and view stay; the grey line after it counts the rest.
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
}

// The file's start with every break made CR LF, as a reference apart from the converter.
std::string WithCrLf(const std::string& bytes) {
    std::string converted;
    for (size_t i = 0; i < bytes.size(); ++i)
        converted += bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r') ? std::string("\r\n") : std::string(1, bytes[i]);
    return converted;
}

// Dispatches the next tick of the load's timer; false when none comes within 2 s.
bool OneTick(HWND pane) {
    MSG msg;
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 2000; ::Sleep(1)) {
        if (!::PeekMessageA(&msg, pane, WM_TIMER, WM_TIMER, PM_REMOVE)) continue;
        ::DispatchMessageA(&msg);
        if (msg.wParam == viewer::PacedLoad::kTimer) return true;
    }
    return false;
}

// However far a load got when it stopped, or whether it was shown afresh meanwhile, the grey line
// counts every byte of the file that is not in the pane, and a highlight asked for during the load
// selects in the file's text once it is in and never looks into the grey line; a question opened
// over the window meanwhile is no error.
TEST(LoadViewerFile, TheGreyLineCountsEveryByteNotInThePaneAndIsNeverSearched) {
    test_support::TempFolder folder;
    std::string file;
    for (int i = 0; i < 40000; ++i) file += "line " + std::to_string(i) + (i % 2 ? "\n" : "\r\n");
    const platform::Path path = folder.WriteFile("large.txt", file);
    ViewerWindow window;
    viewer::RichViewer& pane = window.Pane();
    const struct {
        const char* name;
        size_t shownCost;
        int ticks;  // before the step; -1: none taken, the load runs to its end
        std::function<void()> step;
    } cases[] = {
        {"the whole file, stopped after the first piece", SIZE_MAX, 0, [&] { pane.StopLoading(); }},
        {"the whole file, stopped after a tick", SIZE_MAX, 1, [&] { pane.StopLoading(); }},
        {"its start, stopped after a tick", file.size() / 2, 1, [&] { pane.StopLoading(); }},
        {"its start, shown afresh in red after a tick, then stopped", file.size() / 2, 1,
         [&] { pane.SetFontColor(RGB(255, 0, 0)), pane.StopLoading(); }},
        {"its start, to its end", file.size() / 2, -1, [] {}},
        {"the whole file, to its end", SIZE_MAX, -1, [] {}},
        {"the whole file, a question over the window after a tick", SIZE_MAX, 1, [&] { ::EnableWindow(window.Top(), FALSE); }},
    };
    widgets::SetErrorHandler(test_support::RecordError);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::RecordedErrors().clear();
        LoadViewerFile(pane, path, kText, platform::SystemFileSystem(), {c.shownCost, 100, 2000});
        viewer::HighlightText(pane, "ine ");
        viewer::HighlightText(pane, "more bytes");
        for (int tick = 0; tick < c.ticks; ++tick) ASSERT_TRUE(OneTick(pane.Handle())) << "no tick within 2 s";
        ASSERT_TRUE(c.ticks < 0 || pane.Loading()) << "stopped part-way";
        c.step();
        ASSERT_TRUE(viewer_test::Settle(pane)) << "the load and the highlights did not end within 10 s";
        ::EnableWindow(window.Top(), TRUE);
        EXPECT_TRUE(test_support::RecordedErrors().empty());
        const std::string text = pane.Text();
        const std::string in = text.substr(0, static_cast<size_t>(pane.TextLength()));
        size_t bytesIn = 0;
        for (size_t at = 0; at < in.size() && bytesIn < file.size(); ++bytesIn) at += in.compare(at, 2, "\r\n") == 0 && file[bytesIn] == '\n' ? 2 : 1;
        // Compared whole, as a diff of such texts takes long to print.
        EXPECT_TRUE(in == WithCrLf(file.substr(0, bytesIn))) << "the file's text, " << in.size() << " characters";
        EXPECT_EQ(text.substr(in.size()), bytesIn < file.size() ? viewer::NotShownNote(file.size() - bytesIn) : "");
        const LONG last = static_cast<LONG>(in.rfind("ine "));
        EXPECT_EQ(viewer_test::Selection(pane.Handle()).cpMin, last);
        EXPECT_EQ(viewer_test::Selection(pane.Handle()).cpMax, last + 4);
        if (bytesIn < file.size()) {
            EXPECT_EQ(viewer_test::FormatAt(pane.Handle(), pane.TextLength() + 1).crTextColor, ::GetSysColor(COLOR_GRAYTEXT));
        }
    }
    widgets::SetErrorHandler(nullptr);
}

}  // namespace
