// The shell's items and paths behind the folder browser, on real folders.
#include "platform/folder_browser.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using platform::SystemFolderBrowser;

TEST(FolderBrowserItems, APathGoesToAnItemAndBackAndOneThatNamesNothingGivesNone) {
    test_support::TempFolder temp;
    platform::FolderBrowser& shell = SystemFolderBrowser();
    platform::UniqueItemId item = shell.ItemOfPath(temp.Path().Text());
    ASSERT_TRUE(item);
    EXPECT_EQ(shell.PathOfItem(item.get()), temp.Path());
    platform::UniqueItemId copy = shell.CopyItem(item.get());
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get(), item.get());
    EXPECT_EQ(shell.PathOfItem(copy.get()), temp.Path());

    EXPECT_FALSE(shell.ItemOfPath(temp.PathOf("missing").Text()));
    EXPECT_FALSE(shell.ItemOfPath(L""));
}

TEST(FolderBrowserItems, AVirtualItemHasNoPath) {
    ITEMIDLIST* computer = nullptr;
    ASSERT_EQ(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    platform::UniqueItemId owned{computer};
    EXPECT_TRUE(SystemFolderBrowser().PathOfItem(computer).empty());
}

// Folder names the ANSI code page cannot hold come back as they are, like every other name.
TEST(FolderBrowserItems, AFolderNameComesBackAsItIsWhateverTheCodePageHolds) {
    test_support::TempFolder temp;
    for (const char* name : {"\u041F\u0430\u043F\u043A\u0430", "\u65E5\u672C\u8A9E", "caf\u00E9"}) {
        const platform::Path folder = temp.MakeFolder(name);
        platform::UniqueItemId item = SystemFolderBrowser().ItemOfPath(folder.Text());
        ASSERT_TRUE(item);
        const platform::Path path = SystemFolderBrowser().PathOfItem(item.get());
        EXPECT_EQ(path, folder);
        EXPECT_NE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << test_support::Utf8Name(path.Text());
    }
}

}  // namespace
