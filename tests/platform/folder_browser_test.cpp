// The shell's items and paths behind the folder browser, on real folders.
#include "platform/folder_browser.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using platform::SystemFolderBrowser;

// A folder's path goes to an item and back, and so does the item's copy, also for names the ANSI
// code page cannot hold; a path that names nothing gives no item.
TEST(FolderBrowserItems, APathGoesToAnItemAndBackWhateverItsNameAndOneThatNamesNothingGivesNone) {
    test_support::TempFolder temp;
    platform::FolderBrowser& shell = SystemFolderBrowser();
    for (const char* name : {"plain", "\u041F\u0430\u043F\u043A\u0430", "\u65E5\u672C\u8A9E", "caf\u00E9"}) {
        const platform::Path folder = temp.MakeFolder(name);
        platform::UniqueItemId item = shell.ItemOfPath(folder.Text());
        ASSERT_TRUE(item) << name;
        EXPECT_EQ(shell.PathOfItem(item.get()), folder);
        platform::UniqueItemId copy = shell.CopyItem(item.get());
        ASSERT_TRUE(copy);
        EXPECT_NE(copy.get(), item.get());
        EXPECT_EQ(shell.PathOfItem(copy.get()), folder);
    }
    EXPECT_FALSE(shell.ItemOfPath(temp.PathOf("missing").Text()));
    EXPECT_FALSE(shell.ItemOfPath(L""));
}

TEST(FolderBrowserItems, AVirtualItemHasNoPath) {
    ITEMIDLIST* computer = nullptr;
    ASSERT_EQ(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    platform::UniqueItemId owned{computer};
    EXPECT_TRUE(SystemFolderBrowser().PathOfItem(computer).empty());
}

}  // namespace
