// Replace All, clicked on the real main window: the checks and questions as the dialog shows them,
// the run over the listed files, a run stopped by a file that cannot be rewritten, the window
// closed or the listing changed while a run goes on, and the viewer passing over files.
#include "app/viewer_pacer.h"
#include "platform/errors.h"
#include "platform/unique_handle.h"
#include "replace_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace replace_test {
namespace {

using test_support::ReadFileBytes;

constexpr DWORD kInterval = app::ViewerPacer::kInterval;
const std::vector<std::string> kNames = {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"};

std::string Original(const std::string& name) { return "abc in " + name + ", aBc again\r\n"; }
std::string Rewritten(const std::string& name) { return "ABC in " + name + ", ABC again\r\n"; }

std::string GlobalQuestion(const std::string& maskPiece) {
    return "This function will replace the text in all the listed " + maskPiece +
           " files in this directory.\r\n\r\nPlease confirm: Are you sure you want to perform a global replace? ";
}

// Watches the stream-ins and the default-format changes sent to the viewer, whichever window the
// pane is at that moment, until stopped. Each plain-text load streams in once as text.
class ViewerMessages {
public:
    ViewerMessages() : hook_(::SetWindowsHookExA(WH_CALLWNDPROC, Note, nullptr, ::GetCurrentThreadId())) {
        seen_.clear();
        on_ = true;
    }
    ~ViewerMessages() { ::UnhookWindowsHookEx(hook_); }
    void Stop() { on_ = false; }
    int Loads() const {
        return static_cast<int>(std::count_if(seen_.begin(), seen_.end(), [](const CWPSTRUCT& sent) {
            return sent.message == EM_STREAMIN && (sent.wParam & SF_TEXT);
        }));
    }
    const std::vector<CWPSTRUCT>& Seen() const { return seen_; }

private:
    static LRESULT CALLBACK Note(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && on_ && (sent->message == EM_STREAMIN || sent->message == EM_SETCHARFORMAT))
            seen_.push_back(*sent);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::vector<CWPSTRUCT> seen_;
    static inline bool on_ = false;
    HHOOK hook_;
};

class ReplaceAll : public ReplaceFixture {
protected:
    ReplaceAll() {
        for (const std::string& name : kNames) folder.WriteFile(name, Original(name));
        List();
        Type("abc", "ABC");
    }
    std::vector<std::string> Contents(const test_support::TempFolder& in) const {
        std::vector<std::string> contents;
        for (const std::string& name : kNames) contents.push_back(ReadFileBytes(in.PathOf(name)));
        return contents;
    }
    // The expected contents when the files at `rewritten` indexes (and no others) were rewritten.
    static std::vector<std::string> With(std::initializer_list<size_t> rewritten) {
        std::vector<std::string> contents;
        for (const std::string& name : kNames) contents.push_back(Original(name));
        for (size_t i : rewritten) contents[i] = Rewritten(kNames[i]);
        return contents;
    }
    static std::vector<std::string> AllRewritten() { return With({0, 1, 2, 3, 4}); }

    // What the window shows after a run that ended normally with `last` as its last file.
    void ExpectShowsAtTheEnd(const std::string& last) {
        EXPECT_EQ(form.memHTML().Text(), Rewritten(last));
        EXPECT_EQ(form.StatusText(), folder.PathOf(last).Text());
        EXPECT_EQ(PaneColour(), CLR_DEFAULT);
        EXPECT_EQ(SelectedText(), "ABC");
        EXPECT_EQ(form.FileListBox().Listing().FileName(), test_support::WideName(last));
    }

    static DialogAnswer OK() { return DialogAnswer::Key(VK_RETURN); }
    static DialogAnswer Yes() { return DialogAnswer::Click("Yes"); }
    static DialogAnswer Completed() { return DialogAnswer::Key(VK_RETURN); }
    void ExpectCompleted(const SeenDialog& seen) {
        EXPECT_EQ(seen.caption, "Information");
        EXPECT_EQ(seen.text, "Global replace function completed!");
        EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
    }
};

TEST_F(ReplaceAll, EachFailingCheckShowsItsNoticeAndTouchesNothing) {
    const CheckCase cases[] = {
        {"empty list, all typed", true, false, "abc", "x", DialogAnswer::Key(VK_RETURN),
         "Sorry, no can do. There are no files in the list!"},
        {"no search text, none selected", false, false, "", "", DialogAnswer::Key(VK_ESCAPE),
         "Please enter the text to be replaced!"},
        {"no replacement", false, false, "abc", "", DialogAnswer::CloseBox(), "Please enter the replacement text!"},
        {"same texts", false, false, "ABC", "ABC", DialogAnswer::Click("OK"),
         "Hey hold on, the search and replace text is the same!"},
    };
    test_support::TempFolder empty;
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        List(c.emptyList ? empty.Path() : folder.Path());
        Type(c.search, c.replacement);
        ExpectOneNotice(ClickReplaceAll({c.answer}), c.message);
        EXPECT_EQ(progress.shows, 0);
    }
    EXPECT_EQ(Contents(folder), With({}));
}

// One question for the whole run names the listed type's mask; nothing needs to be selected, and
// anything but OK ends the command before the progress window shows.
TEST_F(ReplaceAll, TheGlobalQuestionNamesTheMaskAndOnlyOKGoesOn) {
    const struct {
        int fileType;
        const char* maskPiece;
        DialogAnswer answer;
    } cases[] = {
        {0, "*.txt", DialogAnswer::Click("Cancel")},
        {1, "*.htm", DialogAnswer::Key(VK_ESCAPE)},
        {-1, "", DialogAnswer::CloseBox()},  // no entry: two blanks before "files"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileType);
        form.SetFileTypeIndex(c.fileType);
        std::vector<SeenDialog> seen = ClickReplaceAll({c.answer});
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, "Confirm");
        EXPECT_EQ(seen[0].text, GlobalQuestion(c.maskPiece));
        EXPECT_EQ(seen[0].buttons, (std::vector<std::string>{"OK", "Cancel"}));
        EXPECT_EQ(progress.shows, 0);
        EXPECT_EQ(Contents(folder), With({}));
    }
}

TEST_F(ReplaceAll, RewritesEveryListedFileAndEndsShowingTheLastInTheWindowTextColour) {
    ASSERT_EQ(form.FilePath(), platform::Path()) << "no file needs to be selected";
    std::vector<SeenDialog> seen = ClickReplaceAll({OK(), Completed()});
    ASSERT_EQ(seen.size(), 2u);
    ExpectCompleted(seen[1]);
    EXPECT_EQ(Contents(folder), AllRewritten());
    ExpectShowsAtTheEnd("e.txt");
    EXPECT_EQ(progress.shows, 1);
    EXPECT_EQ(progress.hides, 1);
}

// Each rewritten file goes into a fresh viewer window already in the run's red, and the last one
// goes into another in the window-text colour at the end: no default format follows a text into
// its window, which would lay the whole text out again (for minutes over a large file).
TEST_F(ReplaceAll, NoDefaultFormatFollowsAFileIntoTheViewer) {
    ViewerMessages messages;
    ClickReplaceAll({OK(), Completed()});
    ASSERT_GT(messages.Loads(), 0);
    std::set<HWND> loaded;
    for (const CWPSTRUCT& sent : messages.Seen())
        if (sent.message == EM_STREAMIN) loaded.insert(sent.hwnd);
        else if (sent.wParam == SCF_DEFAULT) EXPECT_EQ(loaded.count(sent.hwnd), 0u) << "a default format after the load";
}

// The progress window goes only once the viewer shows the last rewritten file.
TEST_F(ReplaceAll, TheProgressWindowGoesWithTheLastFileShown) {
    std::string shownAtHide;
    progress.onHide = [&] { shownAtHide = form.memHTML().Text(); };
    ClickReplaceAll({OK(), Completed()});
    EXPECT_EQ(shownAtHide, Rewritten("e.txt"));
}

// With "Confirm" ticked each file is asked about by its path; only Yes rewrites it, and the
// completion notice comes even when nothing was rewritten.
TEST_F(ReplaceAll, WithConfirmTickedEachFileIsAskedAboutAndOnlyYesRewritesIt) {
    TickConfirm(true);
    std::vector<SeenDialog> seen =
        ClickReplaceAll({DialogAnswer::Click("No"), DialogAnswer::Key(VK_ESCAPE), DialogAnswer::CloseBox(),
                         DialogAnswer::Key('N'), DialogAnswer::Click("No"), Completed()});
    ASSERT_EQ(seen.size(), 6u);
    for (size_t i = 0; i < kNames.size(); ++i) {
        EXPECT_EQ(seen[i].caption, "Confirm");
        EXPECT_EQ(seen[i].text, "Confirm you want to replace all instances in this file:\r\n\r\n" +
                                    test_support::Utf8Name(folder.PathOf(kNames[i]).Text()));
        EXPECT_EQ(seen[i].buttons, (std::vector<std::string>{"&Yes", "&No"}));
    }
    ExpectCompleted(seen[5]);
    EXPECT_EQ(Contents(folder), With({}));
    EXPECT_EQ(progress.hides, 1);

    seen = ClickReplaceAll({Yes(), DialogAnswer::Click("No"), Yes(), Yes(), DialogAnswer::Click("No"), Completed()});
    EXPECT_EQ(Contents(folder), With({0, 2, 3}));
    ExpectShowsAtTheEnd("d.txt");
}

// The run keeps the texts it started with: edits changed at the first question change neither
// what is written nor what the viewer highlights in the files shown after it.
TEST_F(ReplaceAll, EditsChangedDuringARunLeaveItsTextsOnDiskAndInTheHighlight) {
    TickConfirm(true);
    std::string highlighted;
    std::vector<DialogAnswer> answers{Yes().Inspect([&](HWND) { Type("in", "OUT"); }),
                                      Yes().Inspect([&](HWND) { highlighted = SelectedText(); }), Yes(), Yes(), Yes(),
                                      Completed()};
    ClickReplaceAll(answers);
    EXPECT_EQ(Contents(folder), AllRewritten());
    EXPECT_EQ(highlighted, "ABC") << "in the first file, shown before the second question";
}

// A file that cannot be rewritten stops the run there: the files before it are rewritten, the
// later ones untouched, the progress window stays, no completion; the list has it selected and
// the viewer shows the file before it in red, whether or not the run had passed over that file.
TEST_F(ReplaceAll, AReadOnlyFileInTheMiddleStopsTheRunThere) {
    const struct {
        const char* name;
        DWORD step;  // how far the clock moves at each reading
    } clocks[] = {{"an interval at each reading", kInterval}, {"clock stands still", 0}};
    for (const auto& clock : clocks) {
        SCOPED_TRACE(clock.name);
        for (const std::string& name : kNames) folder.WriteFile(name, Original(name));
        const platform::Path blocked = folder.PathOf("c.txt");
        ASSERT_TRUE(::SetFileAttributesW(blocked.c_str(), FILE_ATTRIBUTE_READONLY));
        DWORD now = 0;
        form.TickCount = [&now, step = clock.step] { return now += step; };
        progress = RecordingProgressWindow();

        std::vector<SeenDialog> seen = ClickReplaceAll({OK(), DialogAnswer::Key(VK_RETURN).On(DialogClass::ErrorBox)});

        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[1].windowClass, "#32770");
        EXPECT_EQ(seen[1].text,
                  "Cannot create file \"" + test_support::Utf8Name(blocked.Text()) + "\". " +
                      test_support::Utf8Name(platform::SystemErrorText(ERROR_ACCESS_DENIED)) + ".");
        EXPECT_EQ(Contents(folder), With({0, 1}));
        EXPECT_FALSE(progress.shown) << "nothing runs any more";
        EXPECT_EQ(progress.hides, 1);
        EXPECT_EQ(form.memHTML().Text(), Rewritten("b.txt"));
        EXPECT_EQ(form.StatusText(), folder.PathOf("b.txt").Text());
        EXPECT_EQ(PaneColour(), RGB(255, 0, 0));
        EXPECT_EQ(SelectedText(), "ABC");
        EXPECT_EQ(form.FileListBox().Listing().FileName(), L"c.txt") << "selected before its rewrite failed";
        ::SetFileAttributesW(blocked.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// Without per-file questions the viewer passes over a file whose turn comes less than the interval
// after the run started or the last file was shown; the last file is always shown, every file of
// a run with questions too, and the end looks the same whichever files were passed over.
TEST_F(ReplaceAll, TheViewerPassesOverFilesOnlyInARunWithoutQuestions) {
    const struct {
        const char* name;
        DWORD step;
        bool confirm;
        int loads;
    } cases[] = {
        {"clock stands still", 0, false, 1},
        {"clock stands still, questions", 0, true, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string& name : kNames) folder.WriteFile(name, Original(name));
        DWORD now = 1000;
        form.TickCount = [&now, step = c.step] { return now += step; };
        TickConfirm(c.confirm);
        std::vector<DialogAnswer> answers;
        if (c.confirm) answers.assign(kNames.size(), Yes());
        else answers.push_back(OK());
        answers.push_back(Completed());

        ViewerMessages viewer;
        progress.onHide = [&] { viewer.Stop(); };
        ClickReplaceAll(std::move(answers));

        EXPECT_EQ(viewer.Loads(), c.loads);
        EXPECT_EQ(Contents(folder), AllRewritten());
        ExpectShowsAtTheEnd("e.txt");
    }
}

// A drive letter for a folder for the time of a test: on Windows a substitute drive; under Wine,
// whose substitutes do not reach its file system, a link in the prefix's dosdevices folder.
class DriveForFolder {
public:
    explicit DriveForFolder(const platform::Path& folder) {
        const DWORD used = ::GetLogicalDrives();
        for (char letter = 'Y'; letter > 'H'; --letter) {
            if (used & (1u << (letter - 'A'))) continue;
            const std::wstring drive = std::wstring(1, letter) + L":";
            if (UnderWine() ? MakeWineLink(letter, folder) : ::DefineDosDeviceW(0, drive.c_str(), folder.c_str()))
                letter_ = letter;
            break;
        }
    }
    ~DriveForFolder() {
        if (!link_.empty()) Run("Z:\\bin\\rm -f \"" + link_ + "\"");
        else if (letter_) ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, (std::wstring(1, letter_) + L":").c_str(), nullptr);
    }
    // "Y:\", or empty when no drive could be made.
    std::wstring Root() const { return letter_ ? std::wstring(1, letter_) + L":\\" : std::wstring(); }

private:
    static bool UnderWine() { return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }
    static void Run(std::string commandLine) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process))
            return;
        ::WaitForSingleObject(process.hProcess, 10000);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    bool MakeWineLink(char letter, const platform::Path& folder) {
        using UnixName = char*(CDECL*)(const WCHAR*);
        auto unixName = reinterpret_cast<UnixName>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        const char* prefix = std::getenv("WINEPREFIX");
        if (!unixName || !prefix) return false;
        char* target = unixName(folder.c_str());
        if (!target) return false;
        const std::string link = std::string(prefix) + "/dosdevices/" + char(letter - 'A' + 'a') + ":";
        Run("Z:\\bin\\ln -s \"" + std::string(target) + "\" \"" + link + "\"");
        ::HeapFree(::GetProcessHeap(), 0, target);
        link_ = link;
        // Wine may report a Unix program ended before it has: wait for the drive to appear.
        const std::string root = std::string(1, letter) + ":\\";
        for (int wait = 0; wait < 100; ++wait, ::Sleep(20)) {
            const DWORD attributes = ::GetFileAttributesA(root.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
        }
        return false;
    }

    char letter_ = 0;
    std::string link_;
};

// The list's folder path already ends in a backslash at a drive root; the run puts one more in,
// and that path is what the question and the status bar show.
TEST_F(ReplaceAll, AtADriveRootThePathsHoldTwoBackslashes) {
    DriveForFolder drive(folder.Path());
    if (drive.Root().empty())
        GTEST_SKIP() << "no drive letter could be given to " << test_support::Utf8Name(folder.Path().Text());
    List(platform::Path(drive.Root()));
    ASSERT_EQ(form.FileListBox().Listing().Directory().Text(), drive.Root());
    TickConfirm(true);

    std::vector<SeenDialog> seen = ClickReplaceAll({Yes(), Yes(), Yes(), Yes(), Yes(), Completed()});

    ASSERT_EQ(seen.size(), 6u);
    const std::wstring first = drive.Root() + L"\\a.txt";  // e.g. Y:\\a.txt
    EXPECT_EQ(seen[0].text,
              "Confirm you want to replace all instances in this file:\r\n\r\n" + test_support::Utf8Name(first));
    EXPECT_EQ(form.StatusText(), drive.Root() + L"\\e.txt");
    EXPECT_EQ(Contents(folder), AllRewritten());
    List(folder.Path());  // leave the drive before it goes
}

// The system menu's undo item, as it reads when the menu opens, and whether it can be chosen.
std::pair<std::wstring, bool> UndoItem(HWND form) {
    HMENU menu = ::GetSystemMenu(form, FALSE);
    ::SendMessageW(form, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
    wchar_t text[128] = {};
    ::GetMenuStringW(menu, app::kUndoCommand, text, 128, MF_BYCOMMAND);
    return {text, !(::GetMenuState(menu, app::kUndoCommand, MF_BYCOMMAND) & MF_GRAYED)};
}

// Ctrl+Z as the keyboard delivers it to `window`, through the application's loop.
std::vector<SeenDialog> CtrlZ(HWND window, std::vector<DialogAnswer> answers) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    test_support::DialogDriver driver(std::move(answers), 2000);
    ::PostMessageW(window, WM_KEYDOWN, 'Z', 1);
    widgets::Application::Current()->ProcessMessages();
    driver.Finish();
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    return driver.Seen();
}

// Ctrl+Z in an edit is the edit's; in the list it asks to put back what the run changed, and
// OK does, saying how many; then there is nothing to undo.
TEST_F(ReplaceAll, CtrlZInTheListPutsBackWhatTheRunChanged) {
    EXPECT_EQ(UndoItem(form.Handle()), std::make_pair(std::wstring(L"Undo Replace All\tCtrl+Z"), false));
    ClickReplaceAll({OK(), Completed()});
    ASSERT_EQ(Contents(folder), AllRewritten());
    EXPECT_EQ(UndoItem(form.Handle()), std::make_pair(std::wstring(L"Undo Replace All\tCtrl+Z"), true));
    EXPECT_TRUE(CtrlZ(form.edSearch(), {}).empty());
    // Clicked: the keyboard's Ctrl is still down when the question comes.
    const std::vector<SeenDialog> seen =
        CtrlZ(form.FileListBox().Handle(), {DialogAnswer::Click("OK"), DialogAnswer::Click("OK")});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].caption, "Confirm");
    EXPECT_EQ(seen[0].text, "Put back the 5 files that the last Replace All wrote in " +
                                test_support::Utf8Name(folder.Path().Text()) +
                                " as they were before it?\r\n\r\nFiles changed since are left as they are.");
    EXPECT_EQ(seen[1].text, "Put back 5 files of 5.");
    EXPECT_EQ(Contents(folder), With({}));
    EXPECT_FALSE(UndoItem(form.Handle()).second);
}

// The main window closed between two files: the close runs at once and the end of the program is
// only noted; the run goes on without the window's controls, and the program ends when it returns.
class ReplaceAllClosed : public ReplaceAll {
protected:
    void CloseDuringRun(std::vector<DialogAnswer> answers) {
        const HWND window = form.Handle();
        Postman postman(window);
        // Runs in the first pump after the first file's rewrite.
        progress.onShow = [&] { postman.Post([&] { ::SendMessageA(window, WM_CLOSE, 0, 0); }); };
        ClickReplaceAll(std::move(answers));
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_TRUE(application.Terminated());
        EXPECT_FALSE(progress.shown);
    }
};

TEST_F(ReplaceAllClosed, WithoutConfirmTheRemainingFilesAreStillRewritten) {
    CloseDuringRun({OK()});  // the completion notice answers at once
    EXPECT_EQ(Contents(folder), AllRewritten());
}

TEST_F(ReplaceAllClosed, WithConfirmEveryRemainingQuestionAnswersAsIfClosed) {
    TickConfirm(true);
    CloseDuringRun({Yes()});
    EXPECT_EQ(Contents(folder), With({0}));
}

// The run rewrites the files listed when it began, and no others: a change of folder or of file
// type between two files leaves the newly listed files alone.
TEST_F(ReplaceAll, AListingChangedDuringARunLeavesTheNewlyListedFilesAlone) {
    test_support::TempFolder elsewhere;
    for (const std::string& name : kNames) {
        elsewhere.WriteFile(name, Original(name));
        folder.WriteFile(name.substr(0, 1) + ".ini", Original(name));
    }
    const struct {
        const char* name;
        std::function<void()> change;
    } changes[] = {
        {"another folder", [&] { List(elsewhere.Path()); }},
        {"another file type", [&] { form.FileListBox().Listing().SetMask(L"*.ini"); }},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.name);
        List();
        for (const std::string& name : kNames) folder.WriteFile(name, Original(name));
        Postman postman(form.Handle());
        progress.onShow = [&] { postman.Post(change.change); };

        ClickReplaceAll({OK(), Completed()});

        EXPECT_EQ(Contents(folder), AllRewritten());
        EXPECT_EQ(Contents(elsewhere), With({}));
        for (const std::string& name : kNames)
            EXPECT_EQ(ReadFileBytes(folder.PathOf(name.substr(0, 1) + ".ini")), Original(name));
        EXPECT_EQ(form.FileListBox().Listing().FileName(), L"") << "no entry of the new listing is selected";
        EXPECT_EQ(form.StatusText(), folder.PathOf("e.txt").Text());
    }
}

// A listed file that is gone by its turn ends the run with the open error, like any failing file.
TEST_F(ReplaceAll, AFileRemovedDuringARunStopsItWithTheOpenError) {
    Postman postman(form.Handle());
    const platform::Path removed = folder.PathOf("d.txt");
    progress.onShow = [&] { postman.Post([&] { ::DeleteFileW(removed.c_str()); }); };

    std::vector<SeenDialog> seen = ClickReplaceAll({OK(), DialogAnswer::Key(VK_RETURN).On(DialogClass::ErrorBox)});

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text,
              "Cannot open file \"" + test_support::Utf8Name(removed.Text()) + "\". " +
                  test_support::Utf8Name(platform::SystemErrorText(ERROR_FILE_NOT_FOUND)) + ".");
    EXPECT_EQ(ReadFileBytes(folder.PathOf("c.txt")), Rewritten("c.txt"));
    EXPECT_EQ(ReadFileBytes(folder.PathOf("e.txt")), Original("e.txt"));
    EXPECT_FALSE(progress.shown);
}

}  // namespace
}  // namespace replace_test
