// One shell lookup per kind of file: the extension, or the file itself where each may have a
// picture of its own.
#include "browse/icon_cache.h"
#include "support/recording_shell.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::Path;

// Hands out a fresh copy of the application icon for every lookup, or none, and keeps the paths.
class CountingShell : public test_support::RecordingShell {
public:
    bool giveIcons = true;
    std::vector<platform::Path> asked;
    std::vector<HICON> given;

    HICON AssociatedIcon(const platform::Path& path) override {
        asked.push_back(path);
        HICON icon = giveIcons ? ::CopyIcon(::LoadIconA(nullptr, IDI_APPLICATION)) : nullptr;
        given.push_back(icon);
        return icon;
    }
};

bool IsIcon(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) return false;
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return true;
}

TEST(IconCache, FilesOfOneExtensionShareOneLookupWhateverTheLetterCase) {
    CountingShell shell;
    browse::IconCache icons(shell);
    HICON first = icons.Icon(Path(L"C:\\docs\\a.txt"));
    EXPECT_EQ(icons.Icon(Path(L"C:\\docs\\b.TXT")), first);
    EXPECT_EQ(icons.Icon(Path(L"C:\\other\\c.Txt")), first);
    EXPECT_EQ(icons.Icon(Path(L"C:\\docs\\a.txt")), first);
    EXPECT_NE(icons.Icon(Path(L"C:\\docs\\page.htm")), first);
    EXPECT_EQ(shell.asked, (std::vector<Path>{Path(L"C:\\docs\\a.txt"), Path(L"C:\\docs\\page.htm")}));
    EXPECT_TRUE(IsIcon(first));
}

TEST(IconCache, NamesWithoutAnExtensionShareOneLookupAndAFoldersDotIsNoExtension) {
    CountingShell shell;
    browse::IconCache icons(shell);
    icons.Icon(Path(L"C:\\my.docs\\README"));
    icons.Icon(Path(L"C:\\docs\\LICENSE"));
    icons.Icon(Path(L"C:\\docs\\.txt"));
    EXPECT_EQ(shell.asked, (std::vector<Path>{Path(L"C:\\my.docs\\README"), Path(L"C:\\docs\\.txt")}));
}

TEST(IconCache, ProgramsIconsCursorsAndShortcutsAreAskedForFileByFile) {
    CountingShell shell;
    browse::IconCache icons(shell);
    for (const wchar_t* name : {L"a.exe", L"b.EXE", L"a.ico", L"b.ico", L"a.cur", L"a.ani", L"a.lnk", L"b.lnk"}) {
        const Path path(std::wstring(L"C:\\bin\\") + name);
        icons.Icon(path);
        icons.Icon(path);
    }
    EXPECT_EQ(shell.asked.size(), 8u);
}

TEST(IconCache, AMissingIconIsRememberedToo) {
    CountingShell shell;
    shell.giveIcons = false;
    browse::IconCache icons(shell);
    EXPECT_EQ(icons.Icon(Path(L"C:\\docs\\a.cfg")), nullptr);
    EXPECT_EQ(icons.Icon(Path(L"C:\\docs\\b.cfg")), nullptr);
    EXPECT_EQ(shell.asked.size(), 1u);
}

TEST(IconCache, ClearingDestroysTheIconsAndAsksAgain) {
    CountingShell shell;
    browse::IconCache icons(shell);
    icons.Icon(Path(L"C:\\docs\\a.txt"));
    icons.Icon(Path(L"C:\\bin\\a.exe"));
    icons.Clear();
    EXPECT_FALSE(IsIcon(shell.given[0]));
    EXPECT_FALSE(IsIcon(shell.given[1]));
    HICON again = icons.Icon(Path(L"C:\\docs\\a.txt"));
    EXPECT_TRUE(IsIcon(again));
    EXPECT_EQ(shell.asked.size(), 3u);
}

TEST(IconCache, TheCacheDestroysItsIconsWhenItGoes) {
    CountingShell shell;
    {
        browse::IconCache icons(shell);
        icons.Icon(Path(L"C:\\docs\\a.txt"));
        ASSERT_TRUE(IsIcon(shell.given[0]));
    }
    EXPECT_FALSE(IsIcon(shell.given[0]));
}

}  // namespace
