// Choosing a file type on a real main window: the list's mask and re-read, the viewer emptied only
// where a settings file lies next to the program, the status bar emptied, and a vanished folder.
#include "app/main_form.h"
#include "browse/listing_fixture.h"
#include "platform/file_system.h"
#include "platform/module_path.h"
#include "support/expect_error.h"
#include "support/recording_shell.h"
#include "support/temp_folder.h"
#include "support/window_driving.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::wstring>;

// The settings file beside the test program, there or not for one test; whatever was there
// before is put back afterwards.
class SettingsFileNextToProgram {
public:
    explicit SettingsFileNextToProgram(bool present) : path_(platform::ExecutableFolder().Join(L"Molvatrenquist.ini")) {
        had_ = platform::FileExists(platform::SystemFileSystem(), path_);
        if (had_) saved_ = test_support::ReadFileBytes(path_);
        if (present) test_support::WriteFileBytes(path_, "[Settings]\r\nFileType=0\r\n");
        else if (had_) ::DeleteFileW(path_.c_str());
    }
    ~SettingsFileNextToProgram() {
        if (had_) test_support::WriteFileBytes(path_, saved_);
        else ::DeleteFileW(path_.c_str());
    }
    SettingsFileNextToProgram(const SettingsFileNextToProgram&) = delete;
    SettingsFileNextToProgram& operator=(const SettingsFileNextToProgram&) = delete;

private:
    platform::Path path_;
    std::string saved_;
    bool had_ = false;
};

class FileTypeChangeTest : public ::testing::Test {
protected:
    FileTypeChangeTest() {
        for (const char* name : {"a.txt", "b.txt", "page.htm", "script.php", "setup.ini"}) folder.WriteFile(name, name);
        Listing().SetDirectory(folder.Path());
        Listing().OnChange = [this, handler = Listing().OnChange] {
            ++reports;
            handler();
        };
        form.SetStatusText(L"status before");
    }
    ~FileTypeChangeTest() override { test_support::DispatchWaitingMessages(); }

    browse::FileListing& Listing() { return form.FileListBox().Listing(); }
    Names Entries() {
        Names names;
        for (int i = 0; i < Listing().Count(); ++i) names.push_back(Listing().Entry(i));
        std::sort(names.begin(), names.end());
        return names;
    }
    void Choose(int index) {
        form.SetFileTypeIndex(index);
        form.cbFileTypeChange();
    }

    test_support::TempFolder folder;
    browse_test::CurrentDirectoryGuard guard;  // put back before the folder goes
    test_support::RecordingShell shell;
    app::TForm1 form{shell};
    int reports = 0;
};

TEST_F(FileTypeChangeTest, AnotherTypeSetsTheMaskReReadsAndEmptiesTheStatusBar) {
    ASSERT_EQ(Entries(), (Names{L"a.txt", L"b.txt"})) << "the window starts with *.txt";
    Listing().SelectByName(L"a.txt");
    reports = 0;
    Choose(2);
    EXPECT_EQ(Listing().Mask(), L"*.php");
    EXPECT_EQ(Entries(), (Names{L"script.php"}));
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(Listing().FileName(), L"") << "no file is selected after another mask";
    EXPECT_EQ(form.StatusText(), L"");
}

TEST_F(FileTypeChangeTest, ThePickOfTheUserRunsTheHandler) {
    ::SetFocus(form.cbFileType());
    ::SendMessageW(form.cbFileType(), WM_CHAR, L'i', 1);
    EXPECT_EQ(form.FileTypeIndex(), 3);
    EXPECT_EQ(Listing().Mask(), L"*.ini");
    EXPECT_EQ(Entries(), (Names{L"setup.ini"}));
    EXPECT_EQ(form.StatusText(), L"");
}

TEST_F(FileTypeChangeTest, TheSameTypeAgainKeepsListAndSelectionButStillEmptiesTheStatusBar) {
    Choose(0);
    Listing().SelectByName(L"b.txt");
    form.SetStatusText(L"status before");
    reports = 0;
    Choose(0);
    EXPECT_EQ(reports, 0) << "no re-read";
    EXPECT_EQ(Listing().FileName(), L"b.txt");
    EXPECT_EQ(form.StatusText(), L"");
}

TEST_F(FileTypeChangeTest, WithoutASettingsFileTheViewerKeepsItsText) {
    SettingsFileNextToProgram settings(false);
    const std::string before = form.memHTML().Text();
    ASSERT_FALSE(before.empty());
    Choose(1);
    EXPECT_EQ(form.memHTML().Text(), before);
    EXPECT_EQ(form.StatusText(), L"");
}

TEST_F(FileTypeChangeTest, WithASettingsFileNextToTheProgramTheViewerIsEmptied) {
    SettingsFileNextToProgram settings(true);
    Choose(1);
    EXPECT_EQ(form.memHTML().Text(), "");
    // Also for the type already chosen.
    form.memHTML().SetText("shown again");
    Choose(1);
    EXPECT_EQ(form.memHTML().Text(), "");
}

TEST_F(FileTypeChangeTest, NoEntryChosenLeavesTheMaskButStillClears) {
    SettingsFileNextToProgram settings(true);
    Choose(3);
    form.SetStatusText(L"status before");
    form.memHTML().SetText("shown");
    reports = 0;
    Choose(-1);
    EXPECT_EQ(Listing().Mask(), L"*.ini");
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(form.memHTML().Text(), "");
    EXPECT_EQ(form.StatusText(), L"");

    // A kept out-of-range index counts as none.
    EXPECT_THROW(form.SetFileTypeIndex(7), platform::EListError);
    form.SetStatusText(L"status before");
    form.cbFileTypeChange();
    EXPECT_EQ(Listing().Mask(), L"*.ini");
    EXPECT_EQ(form.StatusText(), L"");
}

TEST_F(FileTypeChangeTest, AVanishedFolderFailsTheReReadAndLeavesViewerAndStatusBar) {
    SettingsFileNextToProgram settings(true);
    const platform::Path sub = folder.MakeFolder("sub");
    test_support::WriteFileBytes(sub.Join(L"x.txt"), "");
    Listing().SetDirectory(sub);
    ASSERT_TRUE(::SetCurrentDirectoryW(folder.Path().c_str()));
    test_support::RemoveTree(sub);
    form.SetStatusText(L"status before");
    form.memHTML().SetText("shown");
    form.SetFileTypeIndex(4);
    test_support::ExpectError([&] { form.cbFileTypeChange(); }, "EInOutError", "File not found");
    EXPECT_EQ(Listing().Mask(), L"*.cfg") << "the new mask stays";
    EXPECT_EQ(Entries(), (Names{L"x.txt"})) << "the old entries stay";
    EXPECT_EQ(form.memHTML().Text(), "shown");
    EXPECT_EQ(form.StatusText(), L"status before");
}

// "*.htm" is one pattern; the platform's matching also sees a file's 8.3 alias where the volume
// keeps one, so there .html files are listed too.
TEST_F(FileTypeChangeTest, TheWebEntryListsHtmFilesAndHtmlOnesThroughTheirShortAlias) {
    folder.WriteFile("long.html", "");
    WIN32_FIND_DATAW data;
    platform::UniqueFind find{::FindFirstFileW(folder.PathOf("long.html").c_str(), &data)};
    ASSERT_TRUE(find);
    const bool hasAlias = data.cAlternateFileName[0] != L'\0';
    Choose(1);
    EXPECT_EQ(Entries(), hasAlias ? (Names{L"long.html", L"page.htm"}) : (Names{L"page.htm"}));
}

TEST_F(FileTypeChangeTest, ShowingTheWindowChoosesTheFirstTypeAndEmptiesTheStatusBar) {
    SettingsFileNextToProgram settings(false);
    form.Show();
    EXPECT_EQ(form.FileTypeIndex(), 0);
    EXPECT_EQ(form.FileTypeSelector().ShownText(), L"ASCII Text (*.txt)");
    EXPECT_EQ(Listing().Mask(), L"*.txt");
    EXPECT_EQ(form.StatusText(), L"");
}

}  // namespace
