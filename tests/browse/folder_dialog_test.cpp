// The folder dialog's folder between browses, with a browser that answers instead of a person.
#include "browse/folder_dialog.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

class AnsweringBrowser : public platform::FolderBrowser {
public:
    platform::UniqueItemId Browse(BROWSEINFOW& info) override {
        seen = info;
        prompt = info.lpszTitle ? info.lpszTitle : L"(null)";
        return answer.empty() ? platform::UniqueItemId{} : ItemOfPath(answer.Text());
    }
    platform::UniqueItemId ItemOfPath(const std::wstring& path) override { return system.ItemOfPath(path); }
    platform::UniqueItemId CopyItem(const ITEMIDLIST* item) override { return system.CopyItem(item); }
    platform::Path PathOfItem(const ITEMIDLIST* item) override { return system.PathOfItem(item); }

    platform::FolderBrowser& system = platform::SystemFolderBrowser();
    platform::Path answer;
    BROWSEINFOW seen{};
    std::wstring prompt;
};

TEST(FolderDialog, KeepsTheChosenFolderAndGoesBackToItsOwnWhenCancelled) {
    test_support::TempFolder temp;
    const platform::Path first = temp.MakeFolder("first"), second = temp.MakeFolder("second");
    AnsweringBrowser browser;
    browse::FolderDialog dialog(browser);

    dialog.SetFolder(first);
    EXPECT_EQ(dialog.Folder(), first);
    browser.answer = second;
    EXPECT_TRUE(dialog.ExecuteFolderDialog(nullptr));
    EXPECT_EQ(dialog.Folder(), second);
    // What the browser was given: an empty prompt rather than none, no root, a plain tree.
    EXPECT_EQ(browser.prompt, L"");
    EXPECT_EQ(browser.seen.pidlRoot, nullptr);
    EXPECT_EQ(browser.seen.ulFlags, 0u);
    EXPECT_NE(browser.seen.lpfn, nullptr);
    EXPECT_NE(browser.seen.pszDisplayName, nullptr);

    browser.answer = {};
    EXPECT_FALSE(dialog.ExecuteFolderDialog(nullptr));
    EXPECT_EQ(dialog.Folder(), second);
}

TEST(FolderDialog, ATextThatNamesNoFolderIsKeptAsItIs) {
    AnsweringBrowser browser;
    browse::FolderDialog dialog(browser);
    dialog.SetFolder(platform::Path(L"no such place"));
    EXPECT_EQ(dialog.Folder().Text(), L"no such place");
    dialog.SetFolder(platform::Path());
    EXPECT_TRUE(dialog.Folder().empty());
}

}  // namespace
