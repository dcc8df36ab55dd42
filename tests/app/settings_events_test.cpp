// The main window's start and close with the settings file beside the program: what a start
// restores, what a close writes, and how a stored value that cannot be used is reported.
#include "app/main_form.h"
#include "dialogs/error_report.h"
#include "dialogs/error_text.h"
#include "platform/errors.h"
#include "platform/unique_handle.h"
#include "settings/recording_profile_store.h"
#include "support/error_recorder.h"
#include "support/message_box_watcher.h"
#include "support/recording_shell.h"
#include "support/settings_file_guard.h"
#include "support/temp_folder.h"
#include "support/window_driving.h"
#include "widgets/application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using test_support::ProgramFolder;
using test_support::ReadFileBytes;
using test_support::RemoveSettingsFile;
using test_support::SettingsFileExists;
using test_support::WriteFileBytes;

const platform::Path kSettingsPath = test_support::SettingsFilePath();

const std::string kUnableToWrite = "Unable to write to " + test_support::Utf8Name(kSettingsPath.Text()) + ".";

// How the settings file holds a folder whose every character the ANSI code page has.
std::string InAnsi(const platform::Path& folder) { return folder.AnsiForm().value(); }

class SettingsEvents : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::RecordedErrors().clear();
        widgets::SetErrorHandler(test_support::RecordError);
    }
    void TearDown() override {
        form_.reset();
        // The list makes its folder the current one; a folder in use could not be removed.
        ::SetCurrentDirectoryW(ProgramFolder().c_str());
        widgets::SetErrorHandler(nullptr);
        test_support::DispatchWaitingMessages();
        RemoveSettingsFile();
    }

    // A new main window, shown as at start, on `startPath` when it names something.
    void Start(const platform::Path& startPath = {}) {
        form_ = std::make_unique<app::TForm1>(shell);
        form_->SetProfileStore(store);
        form_->Show(startPath);
    }
    // The user closes the window with its close box.
    void Close() { ::SendMessageA(form_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }
    // Runs `action` with the real error box; returns what the one box showed.
    std::string ErrorBoxDuring(const std::function<void()>& action) {
        widgets::SetErrorHandler(dialogs::ReportError);
        test_support::MessageBoxWatcher watcher;
        action();
        const test_support::SeenBox& seen = watcher.Seen();
        widgets::SetErrorHandler(test_support::RecordError);
        EXPECT_TRUE(seen.found) << "no error box";
        EXPECT_EQ(seen.caption, "Zavotek - Search & Replace");
        return seen.text;
    }

    app::TForm1& Form() { return *form_; }
    std::string Search() { return test_support::WindowText(form_->edSearch()); }
    std::string Replace() { return test_support::WindowText(form_->edReplace()); }
    bool SaveSearch() { return ::SendMessageA(form_->cbSaveSearch(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Type(HWND edit, const std::string& text) { ::SetWindowTextA(edit, text.c_str()); }
    platform::Path Listed() { return form_->FileListBox().Listing().Directory(); }

    test_support::TempFolder folder;
    widgets::Application application{"Zavotek - Search & Replace"};
    test_support::RecordingShell shell;
    test_support::RecordingProfileStore store;
    std::unique_ptr<app::TForm1> form_;
};

TEST_F(SettingsEvents, AFirstStartShowsTheProgramFolderAndTheFirstTypeAndCreatesNoFile) {
    Start();
    EXPECT_EQ(test_support::RecordedErrors(), std::vector<std::string>{});
    EXPECT_EQ(Listed(), ProgramFolder());
    EXPECT_EQ(Form().FolderText(), ProgramFolder().Text());
    EXPECT_EQ(Search(), "");
    EXPECT_EQ(Replace(), "");
    EXPECT_FALSE(SaveSearch());
    EXPECT_EQ(Form().FileTypeIndex(), 0);
    EXPECT_EQ(Form().FileListBox().Listing().Mask(), L"*.txt");
    EXPECT_EQ(Form().memHTML().Text().rfind("Welcome to the String Search and Replace Utility!", 0), 0u);
    // Save Search and the file type are looked up even without a file; nothing is written.
    EXPECT_EQ(store.What(), (std::vector<std::string>{"read SaveSearch", "flush", "read FileType", "flush"}));
    EXPECT_FALSE(SettingsFileExists());
}

TEST_F(SettingsEvents, AStartRestoresTheStoredValues) {
    WriteFileBytes(kSettingsPath, "[Settings]\r\nSearchFor= \"  find me \" \r\nReplaceWith=put back\r\n"
                                  "SaveSearch=True\r\nLastFolder=" + InAnsi(folder.Path()) + "\r\nFileType=0x3\r\n");
    Start();
    EXPECT_EQ(test_support::RecordedErrors(), std::vector<std::string>{});
    EXPECT_EQ(Search(), "  find me ");
    EXPECT_EQ(Replace(), "put back");
    EXPECT_TRUE(SaveSearch());
    EXPECT_EQ(Form().FolderText(), folder.Path().Text());
    EXPECT_EQ(Form().FileTypeIndex(), 3);
    EXPECT_EQ(store.What(), (std::vector<std::string>{"read SearchFor", "flush", "read ReplaceWith", "flush",
                                                      "read LastFolder", "flush", "read SaveSearch", "flush",
                                                      "read FileType", "flush"}));
    for (const auto& call : store.calls) EXPECT_EQ(call.path, kSettingsPath) << call.what;
}

TEST_F(SettingsEvents, AStartWithAFileListsTheStoredFolderByTheStoredTypeAndEmptiesTheViewer) {
    folder.WriteFile("b.ini", "b");
    folder.WriteFile("a.ini", "a");
    folder.WriteFile("c.txt", "c");
    WriteFileBytes(kSettingsPath, "[Settings]\r\nLastFolder=" + InAnsi(folder.Path()) + "\r\nFileType=3\r\n");
    Start();
    EXPECT_EQ(test_support::RecordedErrors(), std::vector<std::string>{});
    EXPECT_EQ(Listed(), folder.Path());
    const browse::FileListing& list = Form().FileListBox().Listing();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Entry(0), L"a.ini");
    EXPECT_EQ(list.Entry(1), L"b.ini");
    EXPECT_EQ(Form().memHTML().Text(), "");
    EXPECT_EQ(Form().StatusText(), L"");
}

TEST_F(SettingsEvents, SaveSearchCountsOnlyForExactlyTrueAndACloseThenWritesTheTextsEmpty) {
    WriteFileBytes(kSettingsPath, "[Settings]\r\nSearchFor=old\r\nReplaceWith=new\r\nSaveSearch=true\r\n");
    Start();
    EXPECT_FALSE(SaveSearch());
    EXPECT_EQ(Search(), "old");
    Close();
    EXPECT_EQ(test_support::RecordedErrors(), std::vector<std::string>{});
    // With no stored folder the folder edit was left empty, and so it is written.
    EXPECT_EQ(ReadFileBytes(kSettingsPath),
              "[Settings]\r\nSearchFor=\r\nReplaceWith=\r\nSaveSearch=False\r\nLastFolder=\r\nFileType=0\r\n");
}

TEST_F(SettingsEvents, AFirstCloseWithSaveSearchWritesTheSectionAndTheFiveKeysInOrder) {
    Start();
    Type(Form().edSearch(), "find this");
    Type(Form().edReplace(), "with that");
    ::SendMessageA(Form().cbSaveSearch(), BM_CLICK, 0, 0);
    Form().SetFileTypeIndex(2);
    store.calls.clear();
    HWND window = Form().Handle();
    Close();
    EXPECT_EQ(test_support::RecordedErrors(), std::vector<std::string>{});
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(application.Terminated());
    const std::string programFolder = InAnsi(ProgramFolder());
    EXPECT_EQ(ReadFileBytes(kSettingsPath), "[Settings]\r\nSearchFor=find this\r\nReplaceWith=with that\r\n"
                                            "SaveSearch=True\r\nLastFolder=" + programFolder + "\r\nFileType=2\r\n");
    EXPECT_EQ(store.What(), (std::vector<std::string>{
                                "write SearchFor=find this", "flush", "write ReplaceWith=with that", "flush",
                                "write SaveSearch=True", "flush", "write LastFolder=" + programFolder, "flush",
                                "write FileType=2", "flush"}));
}

TEST_F(SettingsEvents, ACloseWithoutSaveSearchKeepsTheRestOfAHandEditedFile) {
    const std::string before = "; my settings\r\n[Window]\r\nTop=10\r\n[Settings]\r\nFileType=1\r\nNote=mine\r\n"
                               "SearchFor=secret\r\nLastFolder=" + InAnsi(folder.Path()) + "\r\n[Zz]\r\nA=b\r\n";
    WriteFileBytes(kSettingsPath, before);
    Start();
    Type(Form().edSearch(), "typed");
    Close();
    EXPECT_EQ(test_support::RecordedErrors(), std::vector<std::string>{});
    EXPECT_EQ(ReadFileBytes(kSettingsPath),
              "; my settings\r\n[Window]\r\nTop=10\r\n[Settings]\r\nFileType=1\r\nNote=mine\r\nSearchFor=\r\n"
              "LastFolder=" + InAnsi(folder.Path()) + "\r\nReplaceWith=\r\nSaveSearch=False\r\n[Zz]\r\nA=b\r\n");
}

// The file is ANSI: a close stores the folder shown as it is when the code page holds it, else by
// a short form the code page holds, else not at all, keeping the stored one. Under Wine every
// folder that is there has an ASCII short name (GetShortPathNameW gives "___-~XX0" for the one
// below), so there only a folder that is not there has none; on Windows a volume that makes no
// 8.3 names gives the existing one none either.
TEST_F(SettingsEvents, ACloseStoresAFolderTheCodePageCannotHoldByItsShortFormOrKeepsTheStoredOne) {
    const platform::Path plain = folder.MakeFolder("plain"), foreign = folder.MakeFolder("日本語-Łódź");
    const std::string stored = InAnsi(folder.Path());
    wchar_t shortPath[MAX_PATH] = {};
    const DWORD n = ::GetShortPathNameW(foreign.c_str(), shortPath, MAX_PATH);
    const std::wstring shortForm(shortPath, n < MAX_PATH ? n : 0);
    const bool asciiShortForm = !shortForm.empty() && std::all_of(shortForm.begin(), shortForm.end(),
                                                                  [](wchar_t c) { return c < 0x80; });
    const struct {
        const char* name;
        platform::Path shown;
        std::string expected;
    } cases[] = {
        {"ASCII, as it is", plain, test_support::Utf8Name(plain.Text())},
        {asciiShortForm ? "outside the code page, by its short form" : "outside the code page, no short form, kept",
         foreign, asciiShortForm ? test_support::Utf8Name(shortForm) : stored},
        {"outside the code page, not there so no short form, kept", folder.PathOf("日本語-Łódź-gone"), stored},
        {"emptied, kept", platform::Path(), stored},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(kSettingsPath, "[Settings]\r\nLastFolder=" + stored + "\r\n");
        Start();
        Form().SetFolderText(c.shown.Text());
        Close();
        EXPECT_NE(ReadFileBytes(kSettingsPath).find("\r\nLastFolder=" + c.expected + "\r\n"), std::string::npos)
            << ReadFileBytes(kSettingsPath);
    }
}

TEST_F(SettingsEvents, SectionAndKeyNamesInOtherLetterCaseAreReadAndKeptAsWritten) {
    const std::string file = "[settings]\r\nsearchfor=a\r\nREPLACEWITH=b\r\nsavesearch=True\r\nlastFolder=\r\n"
                             "FILETYPE=4\r\n";
    WriteFileBytes(kSettingsPath, file);
    Start();
    EXPECT_EQ(test_support::RecordedErrors(), std::vector<std::string>{});
    EXPECT_EQ(Search(), "a");
    EXPECT_EQ(Replace(), "b");
    EXPECT_TRUE(SaveSearch());
    EXPECT_EQ(Form().FileTypeIndex(), 4);
    // An empty stored folder shows as such and leaves the list on the program's folder.
    EXPECT_EQ(Form().FolderText(), L"");
    EXPECT_EQ(Listed(), ProgramFolder());
    Close();
    EXPECT_EQ(ReadFileBytes(kSettingsPath), file);
}

TEST_F(SettingsEvents, AStoredTextLongerThan2047CharactersComesBackCut) {
    std::string longText;
    for (int i = 0; longText.size() < 3000; ++i) longText += std::to_string(i) + ",";
    WriteFileBytes(kSettingsPath, "[Settings]\r\nSearchFor=" + longText + "\r\nSaveSearch=True\r\n");
    Start();
    EXPECT_EQ(Search(), longText.substr(0, 2047));
    Close();
    EXPECT_NE(ReadFileBytes(kSettingsPath).find("SearchFor=" + longText.substr(0, 2047) + "\r\n"), std::string::npos);
}

TEST_F(SettingsEvents, AStoredTypeOfMinusOneLeavesTheSelectorEmptyAndIsWrittenBack) {
    WriteFileBytes(kSettingsPath, "[Settings]\r\nFileType=-1\r\n");
    Start();
    EXPECT_EQ(test_support::RecordedErrors(), std::vector<std::string>{});
    EXPECT_EQ(Form().FileTypeIndex(), -1);
    EXPECT_EQ(Form().FileListBox().Listing().Mask(), L"*.txt");
    Close();
    EXPECT_NE(ReadFileBytes(kSettingsPath).find("\r\nFileType=-1\r\n"), std::string::npos);
}

TEST_F(SettingsEvents, AStoredTypeWithNoEntryIsReportedKeptAndWrittenBack) {
    WriteFileBytes(kSettingsPath, "[Settings]\r\nSearchFor=s\r\nSaveSearch=True\r\nFileType=7\r\n");
    EXPECT_EQ(ErrorBoxDuring([this] { Start(); }), "List index out of bounds (7)");
    EXPECT_EQ(Form().FileTypeIndex(), 7);
    // The start ends at the selector, so the list keeps the mask it started with.
    EXPECT_EQ(Form().FileListBox().Listing().Mask(), L"*.txt");
    EXPECT_TRUE(SaveSearch());
    Close();
    EXPECT_EQ(ReadFileBytes(kSettingsPath), "[Settings]\r\nSearchFor=s\r\nSaveSearch=True\r\nFileType=7\r\n"
                                            "ReplaceWith=\r\nLastFolder=\r\n");
}

TEST_F(SettingsEvents, AVanishedStoredFolderIsReportedAndTheOtherValuesSurviveAStartAndAClose) {
    const std::string gone = InAnsi(folder.Path()) + "\\gone\\Projects";
    const std::string file = "[Settings]\r\nSearchFor=kept\r\nReplaceWith=too\r\nSaveSearch=True\r\nLastFolder=" +
                             gone + "\r\nFileType=2\r\n";
    WriteFileBytes(kSettingsPath, file);
    const std::string box = ErrorBoxDuring([this] { Start(); });
    std::wstring failure;
    try {
        Form().FileListBox().Listing().ApplyPathText(platform::Path::FromAnsi(gone).Text());
    } catch (const platform::EError& e) {
        failure = e.Message();
    }
    ASSERT_FALSE(failure.empty()) << "the stored folder could be applied after all";
    EXPECT_EQ(box, test_support::Utf8Name(dialogs::WithFullStop(failure)));
    EXPECT_EQ(Form().FolderText(), platform::Path::FromAnsi(gone).Text());
    EXPECT_EQ(Listed(), ProgramFolder());
    EXPECT_EQ(Search(), "kept");
    EXPECT_EQ(Replace(), "too");
    EXPECT_TRUE(SaveSearch());
    EXPECT_EQ(Form().FileTypeIndex(), 2);
    Close();
    EXPECT_EQ(ReadFileBytes(kSettingsPath), file);
}

// Started on a name: a folder is listed as a browse lists it, a file is selected and shown in its
// folder, and a name that cannot be listed gets the folder row's error as the start goes on.
TEST_F(SettingsEvents, AStartOnANameListsItOrReportsWhatTheFolderRowWould) {
    const platform::Path sub = folder.MakeFolder("山田 Łódź, a long name" + std::string(150, '-'));
    const platform::Path file = sub.Join(L"notes.log");
    WriteFileBytes(file, "shown");
    const struct {
        platform::Path at, listed;
        std::wstring selected;
    } cases[] = {{sub, sub, L""}, {file, sub, L"notes.log"}, {sub.Join(L"gone"), ProgramFolder(), L""}};
    for (const auto& c : cases) {
        test_support::RecordedErrors().clear();
        Start(c.at);
        EXPECT_EQ(Listed(), c.listed);
        EXPECT_EQ(Form().FolderText(), c.listed.Text());
        EXPECT_EQ(Form().FileListBox().Listing().FileName(), c.selected);
        // The status bar takes a file's path once the viewer has loaded it.
        EXPECT_EQ(Form().StatusText(), c.selected.empty() ? L"" : file.Text());
        const std::vector<std::string> atStart = test_support::RecordedErrors();
        EXPECT_EQ(atStart.size(), c.listed == ProgramFolder() ? 1u : 0u);
        test_support::RecordedErrors().clear();
        Form().SetFolderText(c.at.Text());
        widgets::Guarded(Form().Handle(), [this] { Form().edFolderChange(); });
        EXPECT_EQ(atStart, test_support::RecordedErrors()) << "not the folder row's error";
    }
}

// The file is held open by another program without sharing. (A read-only attribute refuses the
// write on Windows, but not under Wine run by the superuser, whom host permissions do not stop.)
TEST_F(SettingsEvents, ASettingsFileThatCannotBeWrittenIsReportedAndTheWindowClosesAllTheSame) {
    const std::string file = "[Settings]\r\nSearchFor=mine\r\n";
    WriteFileBytes(kSettingsPath, file);
    Start();
    Type(Form().edSearch(), "lost");
    HWND window = Form().Handle();
    {
        platform::UniqueFile lock{
            ::CreateFileW(kSettingsPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)};
        ASSERT_TRUE(lock);
        EXPECT_EQ(ErrorBoxDuring([this] { Close(); }), kUnableToWrite);
    }
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(application.Terminated());
    EXPECT_EQ(ReadFileBytes(kSettingsPath), file);
}

// A failure at a later key: what was written before it stays, and the close goes on.
TEST_F(SettingsEvents, AWriteThatFailsPartWayLeavesTheEarlierValuesAndStillCloses) {
    Start();
    ::SendMessageA(Form().cbSaveSearch(), BM_CLICK, 0, 0);
    Type(Form().edSearch(), "early");
    store.calls.clear();
    store.failingKey = "SaveSearch";
    HWND window = Form().Handle();
    EXPECT_EQ(ErrorBoxDuring([this] { Close(); }), kUnableToWrite);
    EXPECT_EQ(store.What(), (std::vector<std::string>{"write SearchFor=early", "flush", "write ReplaceWith=", "flush",
                                                      "write SaveSearch=True", "flush"}));
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(ReadFileBytes(kSettingsPath), "[Settings]\r\nSearchFor=early\r\nReplaceWith=\r\n");
}

}  // namespace
