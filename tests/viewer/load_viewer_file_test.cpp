#include "viewer/load_viewer_file.h"

#include "platform/errors.h"
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

// Fails every read once the file has been read to its end `wholeReads` times.
class FailingReadFileSystem final : public test_support::ForwardingFileSystem {
public:
    explicit FailingReadFileSystem(int wholeReads = 0) : left_(wholeReads) {}
    bool ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read) override {
        if (left_ == 0) {
            ::SetLastError(ERROR_READ_FAULT);
            return false;
        }
        const bool ok = ForwardingFileSystem::ReadFile(file, buffer, count, read);
        if (ok && *read == 0) --left_;
        return ok;
    }

private:
    int left_;
};

// Reports a size beyond what the pane can hold.
class HugeFileSystem final : public test_support::ForwardingFileSystem {
public:
    bool SetFilePointer(HANDLE file, LONGLONG distance, DWORD method, LONGLONG* position) override {
        bool ok = ForwardingFileSystem::SetFilePointer(file, distance, method, position);
        if (ok && method == FILE_END && position) *position = LONGLONG{viewer::kTextLimit} + 1;
        return ok;
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

TEST(LoadViewerFile, ReadFailureInBothAttemptsFailsTheLoadAndClosesTheFile) {
    test_support::TempFolder folder;
    ViewerWindow window;
    platform::Path path = folder.WriteFile("unreadable.txt", "text");
    FailingReadFileSystem fs;
    try {
        LoadViewerFile(window.Pane(), path, kText, fs);
        FAIL() << "no error";
    } catch (const platform::EOutOfResources& e) {
        EXPECT_EQ(e.Message(), L"Failed to Load Stream");
    }
    EXPECT_TRUE(OpensExclusively(path));
}

TEST(LoadViewerFile, BothAttemptsFailingKeepThePanesColour) {
    test_support::TempFolder folder;
    ViewerWindow window;
    window.Pane().SetFontColor(RGB(0, 0, 255));
    FailingReadFileSystem fs(1);  // the check before the load passes, both stream attempts fail
    EXPECT_THROW(LoadViewerFile(window.Pane(), folder.WriteFile("fading.txt", "text"), kText, fs),
                 platform::EOutOfResources);
    CHARFORMATA format{sizeof format};
    ::SendMessageA(window.PaneHandle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_FALSE(format.dwEffects & CFE_AUTOCOLOR);
    EXPECT_EQ(format.crTextColor, RGB(0, 0, 255)) << "the blue the pane had";
}

TEST(LoadViewerFile, FileLargerThanThePaneHoldsIsOutOfMemoryWithThePaneKept) {
    test_support::TempFolder folder;
    ViewerWindow window;
    window.Pane().SetText("before");
    platform::Path path = folder.WriteFile("huge.txt", "text");
    HugeFileSystem fs;
    try {
        LoadViewerFile(window.Pane(), path, kText, fs);
        FAIL() << "no error";
    } catch (const platform::EOutOfMemory& e) {
        EXPECT_EQ(e.Message(), L"Out of memory");
    }
    EXPECT_EQ(window.Pane().Text(), "before");
    EXPECT_TRUE(OpensExclusively(path));
}

}  // namespace
