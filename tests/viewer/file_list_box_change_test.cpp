// The file list and the viewer together on the main window: a selection shows the file.
#include "app/main_form.h"
#include "support/recording_shell.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

class SelectionShowsFile : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t saved[MAX_PATH];
        ::GetCurrentDirectoryW(MAX_PATH, saved);
        savedDirectory = saved;
        folder.WriteFile("alpha.txt", "first line\nsecond line\n");
        folder.WriteFile("beta.txt", "beta");
        form.FileListBox().Listing().ApplyPathText(folder.Path().Text() + L"\\");
    }
    void TearDown() override { ::SetCurrentDirectoryW(savedDirectory.c_str()); }

    std::wstring savedDirectory;
    test_support::TempFolder folder;
    test_support::RecordingShell shell;
    app::TForm1 form{shell};
};

TEST_F(SelectionShowsFile, SelectingAnEntryLoadsItAndShowsItsPath) {
    ASSERT_EQ(form.FileListBox().Listing().Count(), 2);
    form.FileListBox().Listing().SelectByName(L"ALPHA.TXT");

    EXPECT_EQ(form.FilePath(), folder.PathOf("alpha.txt"));
    EXPECT_EQ(form.StatusText(), folder.PathOf("alpha.txt").Text());
    EXPECT_EQ(form.memHTML().Text(), "first line\r\nsecond line\r\n");
}

TEST_F(SelectionShowsFile, AReReadWithNothingSelectedLeavesTheViewerAlone) {
    form.FileListBox().Listing().SelectByName(L"beta.txt");
    std::string shown = form.memHTML().Text();
    form.FileListBox().Listing().SetMask(L"*.TXT");

    EXPECT_EQ(form.FilePath(), platform::Path());
    EXPECT_EQ(form.memHTML().Text(), shown);
    EXPECT_EQ(form.StatusText(), folder.PathOf("beta.txt").Text());
}

TEST_F(SelectionShowsFile, DoubleClickOpensTheSelectedFileWithTheShell) {
    form.FileListBox().Listing().SelectByName(L"beta.txt");
    form.FileListBoxDblClick();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].file, folder.PathOf("beta.txt"));
    EXPECT_EQ(shell.opened[0].owner, nullptr);
}

}  // namespace
