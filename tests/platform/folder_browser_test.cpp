// The shell's items and paths behind the folder browser, on real folders.
#include "platform/ansi_text.h"
#include "platform/folder_browser.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using platform::AnsiFromWide;
using platform::SystemFolderBrowser;
using platform::WideFromAnsi;

TEST(FolderBrowserItems, APathGoesToAnItemAndBackAndOneThatNamesNothingGivesNone) {
    test_support::TempFolder temp;
    platform::FolderBrowser& shell = SystemFolderBrowser();
    platform::UniqueItemId item = shell.ItemOfPath(WideFromAnsi(temp.Path()));
    ASSERT_TRUE(item);
    EXPECT_EQ(shell.PathOfItem(item.get()), temp.Path());
    platform::UniqueItemId copy = shell.CopyItem(item.get());
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get(), item.get());
    EXPECT_EQ(shell.PathOfItem(copy.get()), temp.Path());

    EXPECT_FALSE(shell.ItemOfPath(WideFromAnsi(temp.PathOf("missing"))));
    EXPECT_FALSE(shell.ItemOfPath(L""));
}

TEST(FolderBrowserItems, AVirtualItemHasNoPath) {
    ITEMIDLIST* computer = nullptr;
    ASSERT_EQ(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    platform::UniqueItemId owned{computer};
    EXPECT_EQ(SystemFolderBrowser().PathOfItem(computer), "");
}

// Folder names the Western code page cannot hold come back by their short path, which names the
// same folder; names it can hold come back as they are.
TEST(FolderBrowserItems, AFolderNameTheCodePageCannotHoldComesBackAsItsShortPath) {
    ASSERT_EQ(::GetACP(), 1252u) << "the test is written for a Western code page";
    test_support::TempFolder temp;
    const std::wstring base = WideFromAnsi(temp.Path());
    for (const std::wstring name : {L"\u041F\u0430\u043F\u043A\u0430", L"\u65E5\u672C\u8A9E", L"caf\u00E9"}) {
        const std::wstring folder = base + L"\\" + name;
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
        platform::UniqueItemId item = SystemFolderBrowser().ItemOfPath(folder);
        ASSERT_TRUE(item);
        const std::string path = SystemFolderBrowser().PathOfItem(item.get());
        bool lossy = false;
        const std::string whole = AnsiFromWide(folder, &lossy);
        if (!lossy) {
            EXPECT_EQ(path, whole);
        } else {
            EXPECT_EQ(path.find('?'), std::string::npos) << path;
            wchar_t full[MAX_PATH] = {};
            ASSERT_GT(::GetLongPathNameW(WideFromAnsi(path).c_str(), full, MAX_PATH), 0u) << path;
            EXPECT_EQ(std::wstring(full), folder);
        }
        EXPECT_NE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << path;
        ::RemoveDirectoryW(folder.c_str());
    }
}

}  // namespace
