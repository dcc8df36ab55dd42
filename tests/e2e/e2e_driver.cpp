// Starts the real program as a person would and drives it from outside its process.
// Usage:
//   e2e_driver screenshot <program.exe> <empty work folder> <screenshot.bmp> [seconds]
//       the program copied into the folder, started, its main window photographed, then closed
//       through its close box; exit code 0.
//   e2e_driver replace-all <program.exe> <empty work folder> [screenshot.bmp]
//       the program copied into the folder beside some text files and 300 more, texts typed,
//       Replace All clicked with the mouse, the confirmation and the completion message answered
//       with Enter, every file's bytes compared with the expected result and nothing of the run
//       left beside them; the main window photographed at the end if asked.
//   e2e_driver settings <program.exe> <empty work folder>
//       the program started twice: in the first run the folder is chosen with the folder browser,
//       the file type with the keyboard, the texts typed and Save Search ticked; after the close
//       the settings file's bytes are checked; the second run must show every value again.
//   e2e_driver kill-sweep <program.exe> <empty work folder>
//       Replace All over a 16 MiB file, then over 400 small files, the program killed at a sweep
//       of moments of the run and started again in the folder: then every file is wholly old or
//       wholly new and nothing of the run is left; and once another program appending to the
//       file meanwhile, whose line must be in the file afterwards.
//   e2e_driver replace-all-in <program.exe> <empty work folder> <folder> <search> <replacement>
//       the program, started in the work folder with settings that list <folder>, runs Replace
//       All to its completion message or error box (printed), answered with Enter; then closed.
//   e2e_driver viewer <program.exe> <empty work folder> <screenshot.bmp>
//       a 24 MiB text file and a small one chosen in the list with the keyboard: the small one
//       shows while the large one is still going in; the large one then ends with the grey line
//       that counts what is not shown, scrolled to and photographed. Prints how long the window
//       took to answer meanwhile.
//   e2e_driver viewer-steps <program.exe> <empty work folder> <screenshot.bmp>
//       a 48 MiB text file shown, word wrap switched twice over it and five Replace Alls run over
//       it, with a click on another file during each step: the window, asked every 20 ms, answers
//       within 0.3 s throughout and closes normally; the last run photographed at its end.
//   e2e_driver planted <program.exe> <empty work folder> <folder>
//       records of the rewrite journal planted in <folder> beside its files, naming files of the
//       folder ../outside in every way a name can; the program opened on it and on an empty folder:
//       it lists the folder's text files no slower and closes (the script then compares the files).
//   e2e_driver kill-as-it-grows <program.exe> <empty work folder> <folder>
//       a Replace All of "hello" over <folder>, killed the moment its first file grows; exit code 0
//       when a journal was left for the script to look at.
//   e2e_driver undo <program.exe> <empty work folder> <folder> <screenshot.bmp>
//       Replace All of "the" over <folder>, three files edited by this program, Ctrl+Z typed into the
//       list and OK: the rest put back with their last-write times, the three named; then an undo
//       chosen from the list's context menu (photographed) killed half-way, after which every
//       file is wholly before or after the run.
//   e2e_driver append <file> <text>
//       appends the text to the file, trying again until the file lets it.
//   e2e_driver true-names <program.exe> <empty work folder>
//       the program in a folder whose name the ANSI code page cannot hold, beside files whose
//       names it cannot hold either or only as look-alikes: each listed once under its own name
//       and rewritten once by Replace All, the viewer showing the last; the settings kept beside
//       it over a restart; then a last folder deeper than 300 characters listed and rewritten.
#include "app/main_form_layout.h"
#include "app/private_state.h"
#include "e2e/program_session.h"
#include "platform/module_path.h"
#include "replace/crc32.h"
#include "replace/journal_record.h"
#include "replace/replace_all_ignoring_case.h"
#include "platform/code_page.h"
#include "support/screen_capture.h"
#include "support/temp_folder.h"
#include "viewer/shown_part.h"

#include <cstdio>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using platform::Path;
using test_support::ReadFileBytes;
using test_support::Utf8Name;
using test_support::WideName;
using test_support::WriteFileBytes;

bool ReadWholeFile(const Path& path, std::string& bytes) {
    try {
        bytes = ReadFileBytes(path);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// The program as a person starts it for the first time: alone in its folder with a text file,
// no settings file beside it.
Path CopyInto(const std::string& program, const Path& folder) {
    Path copy = folder.Join(L"SearchReplace.exe");
    if (!::CopyFileW(Path::FromAnsi(program).c_str(), copy.c_str(), FALSE))
        throw std::runtime_error("cannot copy the program");
    return copy;
}

int Screenshot(const std::string& program, const std::string& work, const std::string& bmp, int seconds) {
    const Path folder = Path::FromAnsi(work);
    Path copy = CopyInto(program, folder);
    WriteFileBytes(folder.Join(L"notes.txt"), "A first line\r\nand a second one.\r\n");
    e2e::ProgramSession session(copy, folder, seconds);
    ::Sleep(1500);  // let it paint
    RECT r;
    ::GetWindowRect(session.MainWindow(), &r);
    std::printf("window %ldx%ld at %ld,%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    if (!test_support::ScreenCapture(r).SaveBmp(bmp)) {
        std::fprintf(stderr, "cannot save %s\n", bmp.c_str());
        return 1;
    }
    return session.CloseAndCheckExit(seconds) ? 0 : 1;
}

int Control(app::Ctl c) { return static_cast<int>(c); }

// Where a button without a window of its own lies in the panel, for the window's current size.
POINT ButtonCentre(HWND mainWindow, app::Ctl button) {
    RECT client;
    ::GetClientRect(mainWindow, &client);
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    app::MainLayout layout = app::ComputeMainLayout(SIZE{client.right, client.bottom}, 0, dpi);
    const RECT& r = layout[button];
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

struct Case {
    std::string name, before, after;
};

int ReplaceAll(const std::string& program, const std::string& work, const std::string& bmp) {
    const Path folder = Path::FromAnsi(work);
    std::vector<Case> cases = {
        {"alpha.txt", "Hello world, HELLO there, hello!\r\n", "Bye world, Bye there, Bye!\r\n"},
        {"beta.txt", "nothing to see\r\n", "nothing to see\r\n"},
        {"gamma.txt", "hellohello\nhel lo", "ByeBye\nhel lo"},
        {"other.dat", "hello stays, not listed", "hello stays, not listed"},
    };
    // Enough files for the run to prepare many ahead of the one it puts in place.
    for (int i = 0; i < 300; ++i)
        cases.push_back({"more" + std::to_string(1000 + i) + ".txt", "line " + std::to_string(i) + (i % 2 ? " hello\r\n" : "\r\n"),
                         "line " + std::to_string(i) + (i % 2 ? " Bye\r\n" : "\r\n")});
    Path copy = CopyInto(program, folder);
    for (const Case& c : cases) WriteFileBytes(folder.Join(WideName(c.name)), c.before);

    e2e::ProgramSession session(copy, folder, 60);
    session.Type(session.Control(Control(app::Ctl::edSearch)), "hello");
    session.Type(session.Control(Control(app::Ctl::edReplace)), "Bye");
    HWND panel = session.Control(Control(app::Ctl::Panel1));
    session.Click(panel, ButtonCentre(session.MainWindow(), app::Ctl::btnGlobReplace));

    std::string text;
    HWND confirm = session.WaitForBox("Confirm", &text, 30);
    if (!confirm) throw std::runtime_error("no confirmation after the click on Replace All");
    std::printf("confirmation: %s\n", text.c_str());
    if (text.find("all the listed *.txt files") == std::string::npos) throw std::runtime_error("unexpected text");
    if (!session.AnswerWithEnter(confirm, 30)) throw std::runtime_error("the confirmation did not close on Enter");

    HWND done = session.WaitForBox("Information", &text, 60);
    if (!done) throw std::runtime_error("no completion message");
    std::printf("completion: %s\n", text.c_str());
    if (text != "Global replace function completed!") throw std::runtime_error("unexpected completion text");
    if (!session.AnswerWithEnter(done, 30)) throw std::runtime_error("the completion message did not close");

    int wrong = 0;
    for (const Case& c : cases) {
        std::string bytes;
        if (!ReadWholeFile(folder.Join(WideName(c.name)), bytes) || bytes != c.after) {
            std::fprintf(stderr, "%s holds the wrong bytes: \"%s\"\n", c.name.c_str(), bytes.c_str());
            ++wrong;
        }
    }
    for (const std::wstring& name : test_support::NamesIn(folder))
        if (name.rfind(L".zavotek-", 0) == 0) {
            std::fprintf(stderr, "left beside the files: %s\n", Utf8Name(name).c_str());
            ++wrong;
        }
    if (!bmp.empty() && !session.Photograph(bmp)) ++wrong;
    bool closed = session.CloseAndCheckExit(60);
    ::DeleteFileW(copy.c_str());
    std::printf("%d of %zu files as expected\n", static_cast<int>(cases.size()) - wrong, cases.size());
    return wrong == 0 && closed ? 0 : 1;
}

// In UTF-8, as the names in this file are written.
std::string TextOf(HWND window) {
    std::wstring text(65536, L'\0');
    auto n = ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    return Utf8Name(text);
}

void Expect(bool holds, const std::string& what, int& wrong) {
    std::printf("%s: %s\n", holds ? "ok" : "WRONG", what.c_str());
    if (!holds) ++wrong;
}

// The folder browser opened with Alt+Down in the folder edit: its tree starts on the edit's
// folder, Right twice moves into its first subfolder, Enter chooses it.
bool ChooseFirstSubfolder(const e2e::ProgramSession& session, HWND edFolder) {
    std::string before = TextOf(edFolder);
    session.Click(edFolder, POINT{4, 4});
    session.Key(edFolder, VK_DOWN, true);
    HWND browser = nullptr;
    session.WaitUntil([&] { return (browser = ::FindWindowA("#32770", "Select a Folder...")) != nullptr; }, 30);
    if (!browser) return false;
    HWND tree = ::FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
    if (!tree) return false;
    ::Sleep(500);  // the tree fills and selects the edit's folder
    session.Key(tree, VK_RIGHT);
    ::Sleep(300);
    session.Key(tree, VK_RIGHT);
    ::Sleep(300);
    session.Key(tree, VK_RETURN);
    return session.WaitUntil([&] { return TextOf(edFolder) != before; }, 30);
}

int Settings(const std::string& program, const std::string& work) {
    const Path folder = Path::FromAnsi(work);
    const Path copy = CopyInto(program, folder), ini = folder.Join(L"Molvatrenquist.ini");
    const std::string docs = work + "\\docs";
    test_support::MakeFolderAt(Path::FromAnsi(docs));
    WriteFileBytes(Path::FromAnsi(docs + "\\setup.ini"), "[a]\r\n");
    WriteFileBytes(Path::FromAnsi(docs + "\\readme.txt"), "text\r\n");
    int wrong = 0;
    std::string chosen;
    {
        e2e::ProgramSession session(copy, folder, 60);
        HWND edFolder = session.Control(Control(app::Ctl::edFolder));
        Expect(ChooseFirstSubfolder(session, edFolder), "the folder browser chose a folder", wrong);
        chosen = TextOf(edFolder);
        Expect(chosen == docs, "the folder edit shows " + chosen, wrong);
        HWND fileType = session.Control(Control(app::Ctl::cbFileType));
        for (int i = 0; i < 3; ++i) session.Key(fileType, VK_DOWN);
        session.Type(session.Control(Control(app::Ctl::edSearch)), "needle");
        session.Type(session.Control(Control(app::Ctl::edReplace)), "thread");
        HWND save = session.Control(Control(app::Ctl::cbSaveSearch));
        session.Click(save, POINT{6, 6});
        ::SendMessageA(save, WM_NULL, 0, 0);
        Expect(session.CloseAndCheckExit(60), "the first run ended with exit code 0", wrong);
    }
    std::string bytes;
    const std::string expected = "[Settings]\r\nSearchFor=needle\r\nReplaceWith=thread\r\nSaveSearch=True\r\nLastFolder=" +
                                 docs + "\r\nFileType=3\r\n";
    bool read = ReadWholeFile(ini, bytes);
    Expect(read && bytes == expected, "the settings file holds:\n" + bytes, wrong);
    {
        e2e::ProgramSession session(copy, folder, 60);
        Expect(TextOf(session.Control(Control(app::Ctl::edSearch))) == "needle", "search text back", wrong);
        Expect(TextOf(session.Control(Control(app::Ctl::edReplace))) == "thread", "replacement text back", wrong);
        Expect(::SendMessageA(session.Control(Control(app::Ctl::cbSaveSearch)), BM_GETCHECK, 0, 0) == BST_CHECKED,
               "Save Search ticked", wrong);
        Expect(TextOf(session.Control(Control(app::Ctl::edFolder))) == docs, "folder back", wrong);
        HWND fileType = session.Control(Control(app::Ctl::cbFileType));
        Expect(TextOf(fileType) == "INI Files (*.ini)", "file type back: " + TextOf(fileType), wrong);
        HWND list = session.Control(Control(app::Ctl::FileListBox));
        Expect(::SendMessageA(list, LB_GETCOUNT, 0, 0) == 1, "the list shows the one .ini file", wrong);
        Expect(session.CloseAndCheckExit(60), "the second run ended with exit code 0", wrong);
    }
    Expect(ReadWholeFile(ini, bytes) && bytes == expected, "the second close wrote the same bytes", wrong);
    ::DeleteFileW(copy.c_str());
    return wrong == 0 ? 0 : 1;
}

// The list's entries as the program shows them, in UTF-8.
std::vector<std::string> ListEntries(HWND list) {
    std::vector<std::string> entries;
    const auto count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        entries.push_back(Utf8Name(text));
    }
    return entries;
}

// Starts a Replace All over the listed files and answers its question.
bool StartReplaceAll(const e2e::ProgramSession& session) {
    session.Click(session.Control(Control(app::Ctl::Panel1)), ButtonCentre(session.MainWindow(), app::Ctl::btnGlobReplace));
    HWND confirm = session.WaitForBox("Confirm", nullptr, 30);
    return confirm && session.AnswerWithEnter(confirm, 30);
}

// Runs a Replace All to its end: the text of the box it ended with (the completion message, or the
// error box, which bears the application's title), answered; empty when none came.
std::string RunToTheEnd(const e2e::ProgramSession& session) {
    std::string text;
    HWND box = nullptr;
    if (StartReplaceAll(session))
        session.WaitUntil([&] {
            return (box = session.WaitForBox("Information", &text, 0)) ||
                   (box = session.WaitForBox("Zavotek - Search & Replace", &text, 0));
        }, 120);
    if (box) session.AnswerWithEnter(box, 30);
    return box ? text : std::string();
}

// Types the two texts, clicks Replace All and answers both boxes with Enter.
bool RunReplaceAll(const e2e::ProgramSession& session, int& wrong) {
    session.Type(session.Control(Control(app::Ctl::edSearch)), "hello");
    session.Type(session.Control(Control(app::Ctl::edReplace)), "hello world");
    const std::string text = RunToTheEnd(session);
    Expect(!text.empty(), "Replace All asked, was confirmed and completed: " + text, wrong);
    return !text.empty();
}

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

int TrueNames(const std::string& program, const std::string& work) {
    std::printf("code page %u\n", ::GetACP());
    const Path base = Path::FromAnsi(work);
    const Path home = base.Join(WideName("テスト-Łódź"));
    test_support::MakeFolderAt(home);
    const Path copy = CopyInto(program, home);
    // Look-alikes side by side: the ANSI functions would turn the first of each pair into the second.
    const std::vector<std::string> names = {"ābc.txt",    "abc.txt",    "żółw.txt",  "zolw.txt",
                                            "日本語.txt", "Привет.txt", "e\u0301te.txt", "\u00E9te.txt"};
    for (size_t i = 0; i < names.size(); ++i)
        WriteFileBytes(home.Join(WideName(names[i])), "say hello " + std::to_string(i) + "\r\n");
    int wrong = 0;
    {
        e2e::ProgramSession session(copy, home, 60);
        HWND list = session.Control(Control(app::Ctl::FileListBox));
        std::vector<std::string> listed = ListEntries(list), expected = names;
        std::sort(listed.begin(), listed.end());
        std::sort(expected.begin(), expected.end());
        Expect(listed == expected, "each file listed once under its own name", wrong);
        if (RunReplaceAll(session, wrong)) {
            for (size_t i = 0; i < names.size(); ++i) {
                std::string bytes;
                const bool read = ReadWholeFile(home.Join(WideName(names[i])), bytes);
                Expect(read && bytes == "say hello world " + std::to_string(i) + "\r\n",
                       names[i] + " rewritten exactly once: " + Trimmed(bytes), wrong);
            }
            const std::vector<std::string> shown = ListEntries(list);
            const auto last = std::find(names.begin(), names.end(), shown.empty() ? "" : shown.back());
            const std::string viewer = TextOf(session.Control(Control(app::Ctl::memHTML)));
            Expect(last != names.end() &&
                       Trimmed(viewer) == "say hello world " + std::to_string(last - names.begin()),
                   "the viewer shows the last file: " + Trimmed(viewer), wrong);
        }
        HWND save = session.Control(Control(app::Ctl::cbSaveSearch));
        session.Click(save, POINT{6, 6});
        Expect(session.CloseAndCheckExit(60), "the first run ended with exit code 0", wrong);
    }
    const Path ini = home.Join(L"Molvatrenquist.ini");
    std::string settings;
    const bool kept = ReadWholeFile(ini, settings);
    Expect(kept, "the settings file beside the program:\n" + settings, wrong);
    {
        e2e::ProgramSession session(copy, home, 60);
        Expect(TextOf(session.Control(Control(app::Ctl::edReplace))) == "hello world", "texts back", wrong);
        std::vector<std::string> listed = ListEntries(session.Control(Control(app::Ctl::FileListBox)));
        Expect(listed.size() == names.size(), "the stored folder lists the same files again", wrong);
        Expect(session.CloseAndCheckExit(60), "the second run ended with exit code 0", wrong);
    }
    // A last folder deeper than 300 characters, kept in the settings file.
    std::string deep = work;
    for (int level = 0; deep.size() <= 300; ++level) {
        deep += "\\a_folder_deep_enough_to_pass_the_old_limit_" + std::to_string(level);
        test_support::MakeFolderAt(Path::FromAnsi(deep));
    }
    const Path deepFile = Path::FromAnsi(deep).Join(L"deep.txt");
    WriteFileBytes(deepFile, "say hello deep\r\n");
    WriteFileBytes(ini, "[Settings]\r\nLastFolder=" + deep + "\r\nFileType=0\r\n");
    {
        e2e::ProgramSession session(copy, home, 60);
        Expect(ListEntries(session.Control(Control(app::Ctl::FileListBox))) == std::vector<std::string>{"deep.txt"},
               "the deep folder is listed", wrong);
        std::string bytes;
        if (RunReplaceAll(session, wrong))
            Expect(ReadWholeFile(deepFile, bytes) && bytes == "say hello world deep\r\n", "the deep file rewritten",
                   wrong);
        Expect(session.CloseAndCheckExit(60), "the third run ended with exit code 0", wrong);
    }
    Expect(ReadWholeFile(ini, settings) && settings.find("LastFolder=" + deep + "\r\n") != std::string::npos,
           "the deep folder stays the last folder", wrong);
    return wrong == 0 ? 0 : 1;
}

// Runs a command line to its end; its exit code, or -1 when it could not start.
int RunAndWait(std::wstring command) {
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process))
        return -1;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// Another program's append: refused while the file is held, so it tries again.
int Append(const std::string& file, const std::string& text) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        HANDLE h = ::CreateFileW(Path::FromAnsi(file).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            const bool ok = ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            ::CloseHandle(h);
            if (ok && written == text.size()) return 0;
        }
        ::Sleep(20);
    }
    return 1;
}

// The settings of a run over `folder` with the given texts.
void WriteSettings(const Path& program, const std::string& folder, const std::string& search,
                   const std::string& replacement) {
    WriteFileBytes(program.Folder().Join(L"Molvatrenquist.ini"),
                   "[Settings]\r\nSearchFor=" + search + "\r\nReplaceWith=" + replacement +
                       "\r\nSaveSearch=True\r\nLastFolder=" + folder + "\r\nFileType=0\r\n");
}


// A Replace All over the folder's text files as a person runs it, to its end: the completion
// message or an error box, which is printed and answered; then the program is closed.
int ReplaceAllIn(const std::string& program, const std::string& work, const std::string& files,
                 const std::string& search, const std::string& replacement) {
    const Path copy = CopyInto(program, Path::FromAnsi(work));
    WriteSettings(copy, files, search, replacement);
    e2e::ProgramSession session(copy, Path::FromAnsi(work), 60);
    const std::string text = RunToTheEnd(session);
    std::printf("the run ended: %s\n", text.empty() ? "(no box)" : text.c_str());
    return !text.empty() && session.CloseAndCheckExit(60) ? 0 : 1;
}

// Where the program keeps its journals: the user's own folder, the same for the driver, which
// runs as the same user in the same Wine prefix.
Path JournalFolder() { return app::JournalFolderIn(app::PrivateStateFolder()); }

// The folder's files and their bytes by name, the program and its settings left out.
std::vector<std::pair<std::wstring, std::string>> FilesIn(const Path& folder) {
    std::vector<std::pair<std::wstring, std::string>> files;
    for (const std::wstring& name : test_support::NamesIn(folder)) {
        if (name == L"SearchReplace.exe" || name == L"Molvatrenquist.ini") continue;
        std::string bytes;
        ReadWholeFile(folder.Join(name), bytes);
        files.emplace_back(name, std::move(bytes));
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Waits, at most a minute, until the file's size is no longer `size`.
void WaitUntilResized(const Path& file, size_t size) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    for (DWORD t0 = ::GetTickCount(); ::GetTickCount() - t0 < 60000; ::Sleep(1))
        if (::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow != size) return;
}

// A run killed at a sweep of moments, each time over the same files: afterwards each file is
// wholly old, wholly new or part-written; the program started again in that folder and closed
// leaves each wholly old or wholly new and nothing else. Returns the failures.
int SweepKills(const std::string& program, const Path& folder, const std::string& label,
               const std::vector<std::pair<std::wstring, std::string>>& before,
               const std::vector<std::pair<std::wstring, std::string>>& after, int points, int atGrowth) {
    const Path copy = CopyInto(program, folder);
    WriteSettings(copy, Utf8Name(folder.Text()), "hello", "hello world");
    auto lay = [&] {
        for (const auto& [name, bytes] : before) WriteFileBytes(folder.Join(name), bytes);
    };
    auto written = [&] {
        return std::all_of(after.begin(), after.end(), [&](const auto& file) {
            std::string bytes;
            return ReadWholeFile(folder.Join(file.first), bytes) && bytes == file.second;
        });
    };
    auto journalSeen = [] { return !test_support::NamesIn(JournalFolder()).empty(); };
    int wrong = 0;
    DWORD rewrite = 0;  // from the journal's first record until every file is written
    lay();
    {
        e2e::ProgramSession session(copy, folder, 60);
        const bool started = StartReplaceAll(session) && session.WaitUntil(journalSeen, 60);
        const DWORD t0 = ::GetTickCount();
        const bool done = session.WaitUntil(written, 120);
        rewrite = std::max<DWORD>(::GetTickCount() - t0, 20);
        Expect(started && done, label + ": an uncut run writes every file " + std::to_string(rewrite) +
                                    " ms after the journal's first record", wrong);
        session.Kill();
    }
    // The first file that grows: a kill the moment it has grown finds it part-written, unless the
    // rest of its new bytes are written first.
    size_t grows = 0;
    while (grows + 1 < before.size() && after[grows].second.size() <= before[grows].second.size()) ++grows;
    // From the journal's first record to a quarter past the time the writing takes; then a few
    // times the moment a file has grown.
    int partWritten = 0;
    for (int point = 0; point <= points + atGrowth; ++point) {
        const DWORD delay = rewrite * std::min(point, points) * 5 / (4 * points);
        lay();
        {
            e2e::ProgramSession session(copy, folder, 60);
            if (!StartReplaceAll(session) || !session.WaitUntil(journalSeen, 60)) {
                Expect(false, label + ": run " + std::to_string(point) + " started", wrong);
                continue;
            }
            if (point > points) WaitUntilResized(folder.Join(before[grows].first), before[grows].second.size());
            else ::Sleep(delay);
            session.Kill();
        }
        int parts = 0;
        for (size_t i = 0; i < before.size(); ++i) {
            std::string bytes;
            ReadWholeFile(folder.Join(before[i].first), bytes);
            parts += bytes != before[i].second && bytes != after[i].second;
        }
        partWritten += parts > 0;
        {
            e2e::ProgramSession session(copy, folder, 60);
            Expect(session.CloseAndCheckExit(60), label + ": the program started again and closed", wrong);
        }
        // Every file wholly old or wholly new, and nothing else in the folder or the journal's.
        const auto left = FilesIn(folder);
        std::string wrongly = test_support::NamesIn(JournalFolder()).empty() ? "" : " a journal left;";
        for (size_t i = 0; i < left.size(); ++i)
            if (i >= before.size() || left[i].first != before[i].first)
                wrongly += " " + Utf8Name(left[i].first) + " beside them;";
            else if (left[i].second != before[i].second && left[i].second != after[i].second)
                wrongly += " " + Utf8Name(left[i].first) + " neither old nor new;";
        Expect(left.size() >= before.size() && wrongly.empty(),
               label + (point > points ? ": killed as a file grew" : ": killed after " + std::to_string(delay) + " ms") +
                   (parts ? ", " + std::to_string(parts) + " part-written" : std::string()) +
                   ", after a restart every file whole and nothing beside them" + wrongly,
               wrong);
    }
    std::printf("%s: %d kill points, %d of them left a file part-written for the restart to finish\n", label.c_str(),
                points + 1 + atGrowth, partWritten);
    return wrong;
}

// The bytes a Replace All of `search` leaves.
std::string Replaced(const std::string& text, const std::string& search, const std::string& replacement) {
    return replace::ReplaceAllIgnoringCase(text, search, replacement, platform::SystemCodePage());
}

// Starts a Replace All over the listed file and kills the program the moment the file has grown.
// A kill seldom finds the write itself under way; when it left the file whole with its record
// still waiting, the file's first page is given its old bytes back, as a kill a moment earlier
// would have left it: part-written, for whatever comes next to finish. True when it is so.
bool KillAsItGrows(e2e::ProgramSession& session, const Path& file) {
    const std::string old = ReadFileBytes(file);
    StartReplaceAll(session);
    WaitUntilResized(file, old.size());
    session.Kill();
    std::string now = ReadFileBytes(file), journal;
    const auto journals = test_support::NamesIn(JournalFolder());
    if (now.size() <= old.size() || journals.empty() || !ReadWholeFile(JournalFolder().Join(journals[0]), journal) ||
        journal.empty())
        return false;
    if (now.compare(0, 4096, old, 0, 4096) != 0) {
        now.replace(0, 4096, old, 0, 4096);
        WriteFileBytes(file, now);
    }
    return true;
}


// What a killed run leaves is finished before anything else touches its file: by a second window
// that listed the folder before the kill, and at the start of the next program, so that a later
// run killed in its turn is never finished with the first run's bytes. A journal that cannot be
// made stops the run before any file changes, and says so.
int JournalAfterKills(const std::string& program, const Path& folder, const std::string& before) {
    const Path copy = CopyInto(program, folder), big = folder.Join(L"big.txt");
    const std::string once = Replaced(before, "hello", "hello world"), twice = Replaced(once, "hello", "hello world");
    auto lay = [&] {
        WriteFileBytes(big, before);
        WriteSettings(copy, Utf8Name(folder.Text()), "hello", "hello world");
    };
    int wrong = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        lay();
        e2e::ProgramSession first(copy, folder, 60), second(copy, folder, 60);
        const bool torn = KillAsItGrows(first, big);
        RunToTheEnd(second);
        second.CloseAndCheckExit(60);
        Expect(torn && ReadFileBytes(big) == twice,
               "a second window's Replace All after a kill that left the file part-written finishes it first", wrong);
    }
    for (int attempt = 0; attempt < 3; ++attempt) {
        lay();
        bool torn = false;
        { e2e::ProgramSession killed(copy, folder, 60); torn = KillAsItGrows(killed, big); }
        WriteSettings(copy, Utf8Name(folder.Text()), "world", "planet");
        std::string started;
        {
            e2e::ProgramSession later(copy, folder, 60);
            started = ReadFileBytes(big);
            torn = KillAsItGrows(later, big) && torn;
        }
        { e2e::ProgramSession restarted(copy, folder, 60); restarted.CloseAndCheckExit(60); }
        Expect(torn && started == once && ReadFileBytes(big) == Replaced(once, "world", "planet"),
               "a later run killed in its turn is finished with its own bytes, the first run's at the start", wrong);
    }
    // The journal's folder refuses new files: here a file stands where the folder would be.
    const Path journals = JournalFolder();
    test_support::RemoveTree(journals);
    WriteFileBytes(journals, "");
    lay();
    e2e::ProgramSession refused(copy, folder, 60);
    const std::string said = RunToTheEnd(refused);
    refused.CloseAndCheckExit(60);
    ::DeleteFileW(journals.c_str());
    Expect(said.find("Cannot write file \"" + Utf8Name(big.Text()) + "\"") == 0 && ReadFileBytes(big) == before,
           "with no journal the run stops before the file changes and names it: " + said, wrong);
    return wrong;
}

// A Replace All over the folder killed the moment its first file grows, for the script to look at
// what the kill left.
int KillAsItGrowsIn(const std::string& program, const std::string& work, const std::string& files) {
    const Path copy = CopyInto(program, Path::FromAnsi(work)), folder = Path::FromAnsi(files);
    WriteSettings(copy, files, "hello", "hello world");
    e2e::ProgramSession session(copy, Path::FromAnsi(work), 60);
    return KillAsItGrows(session, folder.Join(test_support::NamesIn(folder).front())) ? 0 : 1;
}

int KillSweep(const std::string& program, const std::string& work) {
    const Path root = Path::FromAnsi(work), large = root.Join(L"large"), small = root.Join(L"small");
    ::CreateDirectoryW(large.c_str(), nullptr);
    ::CreateDirectoryW(small.c_str(), nullptr);
    std::string before, after;
    for (int line = 0; before.size() < 16 * 1024 * 1024; ++line) {
        const std::string number = std::to_string(line);
        before += number + " say hello to the world\r\n";
        after += number + " say hello world to the world\r\n";
    }
    std::vector<std::pair<std::wstring, std::string>> bigBefore = {{L"big.txt", before}}, bigAfter = {{L"big.txt", after}};
    std::vector<std::pair<std::wstring, std::string>> smallBefore, smallAfter;
    for (int i = 0; i < 400; ++i) {
        std::string text;
        for (int line = 0; line < 40; ++line) text += "line " + std::to_string(line) + (i % 2 ? " hello\r\n" : " bye\r\n");
        smallBefore.emplace_back(L"s" + std::to_wstring(1000 + i) + L".txt", text);
        for (size_t at = 0; (at = text.find("hello", at)) != std::string::npos; at += 11) text.replace(at, 5, "hello world");
        smallAfter.emplace_back(smallBefore.back().first, text);
    }
    // A small file's growth is over too soon to be caught.
    int wrong = SweepKills(program, large, "one file of 16 MiB", bigBefore, bigAfter, 12, 4);
    wrong += SweepKills(program, small, "400 small files", smallBefore, smallAfter, 12, 0);
    wrong += JournalAfterKills(program, large, before);

    // Another program appends a line while the run rewrites the file: the run holds the file from
    // its read to its write, so the line waits and lands after the new bytes.
    for (const auto& [name, bytes] : bigBefore) WriteFileBytes(large.Join(name), bytes);
    const Path big = large.Join(L"big.txt");
    {
        e2e::ProgramSession session(large.Join(L"SearchReplace.exe"), large, 60);
        const bool started = StartReplaceAll(session);
        const std::wstring command = L"\"" + platform::ExecutablePath().Text() + L"\" append \"" + big.Text() +
                                     L"\" \"the other program's line\r\n\"";
        const int appended = RunAndWait(command);
        std::string bytes;
        const bool both = session.WaitUntil(
            [&] { return ReadWholeFile(big, bytes) && bytes == after + "the other program's line\r\n"; }, 60);
        Expect(started && appended == 0 && both, "the other program's line survives the run", wrong);
        session.Kill();
    }
    return wrong == 0 ? 0 : 1;
}

// A record as an earlier version of the program kept it beside the files, in a hidden journal of
// the listed folder, naming its file relative to that folder: whole and with true checksums, so
// that only where it lies makes it nothing to act on.
std::string OldFormatRecord(const std::wstring& name, const std::string& old, const std::string& now) {
    auto put = [](std::string& out, auto value) { out.append(reinterpret_cast<const char*>(&value), sizeof value); };
    std::string head = "ZVJ1";
    put(head, static_cast<std::uint32_t>(name.size()));
    put(head, static_cast<std::int64_t>(old.size()));
    put(head, static_cast<std::int64_t>(now.size()));
    put(head, replace::Crc32(now.data(), now.size()));
    put(head, std::uint32_t{0});
    for (wchar_t c : name) put(head, static_cast<std::uint16_t>(c));
    for (std::uint32_t crc : replace::OldStretchChecksums(old, static_cast<LONGLONG>(now.size()))) put(head, crc);
    const std::uint32_t crc = replace::Crc32(head.data() + 32, head.size() - 32, replace::Crc32(head.data(), 28));
    std::memcpy(head.data() + 28, &crc, sizeof crc);
    return head + now;
}

// A folder a stranger filled: records beside the files that name files outside it (relative,
// absolute, long-form and stream names, through a link), records that call a large file changed,
// a record that claims a huge name. Opening the folder must change and delete nothing and take
// no longer than opening an empty one.
int Planted(const std::string& program, const std::string& work, const std::string& files) {
    const Path folder = Path::FromAnsi(files), outside = folder.Join(L"..\\outside").Absolute();
    int wrong = 0, n = 0;
    auto plant = [&](const std::wstring& name, const std::string& old) {
        wchar_t file[40];
        std::swprintf(file, 40, L".zavotek-%08X.journal", 0x10000000u + n++);
        WriteFileBytes(folder.Join(file), OldFormatRecord(name, old, "planted bytes\n"));
    };
    for (const std::wstring& name : test_support::NamesIn(outside)) {
        const std::string old = ReadFileBytes(outside.Join(name));
        plant(L"..\\outside\\" + name, old);
        plant(L"../outside/" + name, old);
        std::wstring deep;
        for (int i = 0; i < 40; ++i) deep += L"..\\";
        plant(deep + outside.Join(name).Text().substr(3), old);
        plant(outside.Join(name).Text(), old);
        plant(L"\\\\?\\" + outside.Join(name).Text(), old);
        plant(L"notes.txt:" + name, old);
    }
    plant(L"linked.txt", ReadFileBytes(folder.Join(L"linked.txt")));
    const std::string big(16 * 1024 * 1024, 'b');
    WriteFileBytes(folder.Join(L"big.txt"), big);
    for (int i = 0; i < 200; ++i) plant(L"big.txt", std::string(big.size(), 'c'));
    const auto outsideBefore = FilesIn(outside);
    const auto names = test_support::NamesIn(folder);
    const Path copy = CopyInto(program, Path::FromAnsi(work));
    auto opening = [&](const Path& listed) {
        WriteSettings(copy, Utf8Name(listed.Text()), "planted", "x");
        const DWORD start = ::GetTickCount();
        e2e::ProgramSession session(copy, Path::FromAnsi(work), 60);
        const DWORD took = ::GetTickCount() - start;
        const LRESULT entries = ::SendMessageW(session.Control(Control(app::Ctl::FileListBox)), LB_GETCOUNT, 0, 0);
        Expect(session.CloseAndCheckExit(60), "the program closed", wrong);
        return std::make_pair(took, entries);
    };
    const auto [empty, none] = opening(outside.Join(L"..\\empty").Absolute());
    const auto [planted, entries] = opening(folder);
    std::printf("opened an empty folder in %lu ms, the planted one in %lu ms\n", empty, planted);
    Expect(entries == 3 && none == 0, "the planted folder lists its three text files", wrong);
    Expect(planted < empty + 1000, "opening the planted folder takes under a second more", wrong);
    Expect(FilesIn(outside) == outsideBefore && test_support::NamesIn(folder) == names,
           "nothing outside the folder changed, nothing in it was deleted", wrong);
    return wrong == 0 ? 0 : 1;
}

// Keys pressed in turn, as the keyboard types them, into the program in the foreground; `held`
// is held down meanwhile.
void Press(std::initializer_list<WORD> codes, WORD held = 0) {
    std::vector<INPUT> keys;
    auto key = [&](WORD code, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        keys.push_back(input);
    };
    if (held) key(held, false);
    for (WORD code : codes) key(code, false), key(code, true);
    if (held) key(held, true);
    ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

// The file list in the foreground with the focus; its top left corner on the screen.
POINT FocusList(const e2e::ProgramSession& session) {
    ::SetForegroundWindow(session.MainWindow());
    const HWND list = session.Control(Control(app::Ctl::FileListBox));
    session.Click(list, POINT{8, 4});
    ::SendMessageA(list, WM_NULL, 0, 0);
    POINT corner{0, 0};
    ::ClientToScreen(list, &corner);
    return corner;
}

// The undo chosen from the file list's context menu, opened with the menu key; photographed
// while it is open.
void ChooseUndoFromTheList(const e2e::ProgramSession& session, const std::string& bmp) {
    const POINT at = FocusList(session);
    Press({VK_APPS});
    ::Sleep(1000);
    test_support::ScreenCapture(RECT{at.x - 40, at.y - 40, at.x + 360, at.y + 120}).SaveBmp(bmp);
    Press({VK_DOWN, VK_RETURN});
}

// A Replace All of "the" over real files, three of them edited by another program afterwards,
// then Ctrl+Z and OK: every other file has its old bytes and last-write time back, the three keep
// the other program's and are named. Then a run whose undo is killed half-way: after a start,
// every file is wholly as before the run or after it, and no journal is left.
int Undo(const std::string& program, const std::string& work, const std::string& files, const std::string& bmp) {
    const Path folder = Path::FromAnsi(files), copy = CopyInto(program, Path::FromAnsi(work));
    struct File {
        Path path;
        std::string bytes;
        FILETIME written;
    };
    std::vector<File> before;
    for (const std::wstring& name : test_support::NamesIn(folder)) {
        File file{folder.Join(name), ReadFileBytes(folder.Join(name)), {}};
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ::GetFileAttributesExW(file.path.c_str(), GetFileExInfoStandard, &data);
        file.written = data.ftLastWriteTime;
        before.push_back(std::move(file));
    }
    WriteSettings(copy, files, "the", "thy");
    int wrong = 0;
    std::string text;
    {
        e2e::ProgramSession session(copy, Path::FromAnsi(work), 60);
        Expect(!RunToTheEnd(session).empty(), "the run completed", wrong);
        for (int i = 0; i < 3; ++i) Append(Utf8Name(before[i].path.Text()), "edited by another program\r\n");
        FocusList(session);
        Press({'Z'}, VK_CONTROL);
        HWND box = session.WaitForBox("Confirm", &text, 30);
        Expect(box && text.find("Put back the " + std::to_string(before.size()) + " files") == 0, "Ctrl+Z asks: " + text,
               wrong);
        if (box) session.AnswerWithEnter(box, 30);
        box = session.WaitForBox("Information", &text, 120);
        std::printf("%s\n", text.c_str());
        for (int i = 0; i < 3; ++i)
            Expect(text.find(Utf8Name(before[i].path.FileName()) + ": changed since") != std::string::npos,
                   "the report names " + Utf8Name(before[i].path.FileName()), wrong);
        Expect(box && session.AnswerWithEnter(box, 30) && session.CloseAndCheckExit(60), "the program closed", wrong);
    }
    int putBack = 0;
    for (size_t i = 3; i < before.size(); ++i) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ::GetFileAttributesExW(before[i].path.c_str(), GetFileExInfoStandard, &data);
        putBack += ReadFileBytes(before[i].path) == before[i].bytes &&
                   ::CompareFileTime(&data.ftLastWriteTime, &before[i].written) == 0;
    }
    Expect(putBack + 3 == static_cast<int>(before.size()),
           std::to_string(putBack) + " files byte for byte as before, with their old last-write times", wrong);
    for (int i = 0; i < 3; ++i) before[i].bytes = ReadFileBytes(before[i].path);
    {
        e2e::ProgramSession session(copy, Path::FromAnsi(work), 60);
        RunToTheEnd(session);
        ChooseUndoFromTheList(session, bmp);
        HWND box = session.WaitForBox("Confirm", nullptr, 30);
        Expect(box && session.AnswerWithEnter(box, 30), "the list's context menu asks to undo", wrong);
        session.WaitUntil([] { return !test_support::NamesIn(JournalFolder()).empty(); }, 30);
        session.Kill();
    }
    { e2e::ProgramSession restarted(copy, Path::FromAnsi(work), 60); restarted.CloseAndCheckExit(60); }
    int whole = 0;
    for (const File& file : before) {
        const std::string now = ReadFileBytes(file.path);
        whole += now == file.bytes || now == replace::ReplaceAllIgnoringCase(file.bytes, "the", "thy",
                                                                             platform::SystemCodePage());
    }
    Expect(whole == static_cast<int>(before.size()) && test_support::NamesIn(JournalFolder()).empty(),
           "after an undo killed half-way and a start, every file wholly before or after the run", wrong);
    return wrong == 0 ? 0 : 1;
}

LRESULT TextLength(HWND window) { return ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0); }

// What the pane holds once a file is shown whole: its shown part and the grey line.
LRESULT ShownWhole(const std::string& file) {
    const viewer::ShowLimits limits;
    const size_t shown = viewer::ShownLength(std::string_view(file).substr(0, limits.shownCost), file.size(), limits);
    return static_cast<LRESULT>(shown + (shown < file.size() ? viewer::NotShownNote(file.size() - shown).size() : 0));
}

int Viewer(const std::string& program, const std::string& work, const std::string& bmp) {
    const Path folder = Path::FromAnsi(work);
    const Path copy = CopyInto(program, folder);
    std::string big;
    for (int line = 0; big.size() < (size_t{24} << 20); ++line) big += std::to_string(line) + " a line of text\r\n";
    WriteFileBytes(folder.Join(L"big.txt"), big);
    WriteFileBytes(folder.Join(L"small.txt"), "a small file\r\n");
    const LRESULT whole = ShownWhole(big);
    int wrong = 0;
    e2e::ProgramSession session(copy, folder, 60);
    HWND list = session.Control(Control(app::Ctl::FileListBox));
    auto pane = [&] { return session.Control(Control(app::Ctl::memHTML)); };
    auto answer = [&] {
        const DWORD start = ::GetTickCount();
        ::SendMessageW(session.MainWindow(), WM_NULL, 0, 0);
        return ::GetTickCount() - start;
    };
    session.Key(list, VK_HOME);
    std::printf("the first screen of big.txt after %lu ms\n", answer());
    DWORD longest = 0;
    for (int i = 0; i < 50; ++i, ::Sleep(20)) longest = std::max(longest, answer());
    std::printf("answers during its load within %lu ms; %ld characters in the pane\n", longest, static_cast<long>(TextLength(pane())));
    session.Key(list, VK_DOWN);
    Expect(session.WaitUntil([&] { return TextOf(pane()) == "a small file\r\n"; }, 10), "small.txt shown", wrong);
    session.Key(list, VK_UP);
    Expect(session.WaitUntil([&] { return TextLength(pane()) == whole; }, 600),
           "big.txt shown up to the bound, then the line that counts the rest", wrong);
    ::SendMessageW(pane(), EM_LINESCROLL, 0, ::SendMessageW(pane(), EM_GETLINECOUNT, 0, 0));
    ::Sleep(500);
    Expect(session.Photograph(bmp), "photographed", wrong);
    Expect(session.CloseAndCheckExit(60), "closed", wrong);
    return wrong == 0 ? 0 : 1;
}

// Asks the window every 20 ms from a thread of its own and keeps the longest wait for its answer.
class AnswerWatch {
public:
    explicit AnswerWatch(HWND window)
        : thread_([this, window] {
              while (!stop_) {
                  const DWORD start = ::GetTickCount();
                  DWORD_PTR result = 0;
                  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
                  longest_ = std::max<DWORD>(longest_, ::GetTickCount() - start);
                  ::Sleep(20);
              }
          }) {}
    ~AnswerWatch() {
        stop_ = true;
        thread_.join();
    }
    // The longest wait, in ms, since the last time it was asked.
    DWORD Longest() { return longest_.exchange(0); }

private:
    std::atomic<bool> stop_{false};
    std::atomic<DWORD> longest_{0};
    std::thread thread_;
};

// A 48 MiB file shown, word wrap switched twice over it and five Replace Alls over it, with a
// click on another file during each step: the window answers within 0.3 s throughout, each Replace
// All ends with the file shown whole again, and the program closes normally. The last Replace All
// is photographed once the file is shown whole with its replacement selected.
int ViewerSteps(const std::string& program, const std::string& work, const std::string& bmp) {
    const Path folder = Path::FromAnsi(work), files = folder.Join(L"files");
    test_support::MakeFolderAt(files);
    const Path copy = CopyInto(program, folder);
    std::string big;
    for (int line = 0; big.size() < (size_t{48} << 20); ++line) big += std::to_string(line) + " a needle and a needle\r\n";
    const std::string after = Replaced(big, "needle", "pin");
    WriteFileBytes(files.Join(L"big.txt"), big);
    WriteFileBytes(files.Join(L"a-small.txt"), "a small file\r\n");
    WriteSettings(copy, Utf8Name(files.Text()), "needle", "pin");
    int wrong = 0;
    e2e::ProgramSession session(copy, folder, 60);
    AnswerWatch watch(session.MainWindow());
    HWND list = session.Control(Control(app::Ctl::FileListBox));
    auto pane = [&] { return session.Control(Control(app::Ctl::memHTML)); };
    DWORD since = ::GetTickCount();
    auto answered = [&](const std::string& step) {
        const DWORD longest = watch.Longest();
        Expect(longest <= 300, step + " in " + std::to_string(::GetTickCount() - since) + " ms: the window answered within " +
                                   std::to_string(longest) + " ms", wrong);
        since = ::GetTickCount();
    };
    // The small file, then big.txt again, shown whole.
    auto another = [&](const std::string& bytes) {
        session.Key(list, VK_END);
        session.Key(list, VK_HOME);
        Expect(session.WaitUntil([&] { return TextOf(pane()) == "a small file\r\n"; }, 30), "a-small.txt shown", wrong);
        session.Key(list, VK_END);
        Expect(session.WaitUntil([&] { return TextLength(pane()) == ShownWhole(bytes); }, 60), "big.txt shown whole", wrong);
    };
    another(big);
    answered("big.txt clicked");
    for (int i = 0; i < 2; ++i) {
        session.Click(session.Control(Control(app::Ctl::cbWordWrap)), POINT{6, 6});
        ::Sleep(300);
        another(big);
        answered("word wrap switched");
    }
    for (int run = 1; run <= 5; ++run) {
        const std::string label = "Replace All " + std::to_string(run);
        Expect(StartReplaceAll(session), label + " confirmed", wrong);
        session.Key(list, VK_HOME);
        HWND done = session.WaitForBox("Information", nullptr, 120);
        Expect(done && session.AnswerWithEnter(done, 30), label + " completed", wrong);
        Expect(session.WaitUntil([&] { return TextLength(pane()) == ShownWhole(after); }, 60), label + ": big.txt shown whole", wrong);
        answered(label);
    }
    ::Sleep(500);
    Expect(session.Photograph(bmp), "photographed", wrong);
    std::string bytes;
    Expect(ReadWholeFile(files.Join(L"big.txt"), bytes) && bytes == after, "big.txt holds its replaced bytes", wrong);
    Expect(session.CloseAndCheckExit(60), "closed with exit code 0", wrong);
    answered("closing");
    return wrong == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() >= 4 && args[0] == "screenshot")
            return Screenshot(args[1], args[2], args[3], args.size() > 4 ? std::atoi(args[4].c_str()) : 60);
        if ((args.size() == 3 || args.size() == 4) && args[0] == "replace-all")
            return ReplaceAll(args[1], args[2], args.size() == 4 ? args[3] : "");
        if (args.size() == 3 && args[0] == "settings") return Settings(args[1], args[2]);
        if (args.size() == 3 && args[0] == "true-names") return TrueNames(args[1], args[2]);
        if (args.size() == 3 && args[0] == "kill-sweep") return KillSweep(args[1], args[2]);
        if (args.size() == 3 && args[0] == "append") return Append(args[1], args[2]);
        if (args.size() == 6 && args[0] == "replace-all-in") return ReplaceAllIn(args[1], args[2], args[3], args[4], args[5]);
        if (args.size() == 4 && args[0] == "viewer") return Viewer(args[1], args[2], args[3]);
        if (args.size() == 4 && args[0] == "viewer-steps") return ViewerSteps(args[1], args[2], args[3]);
        if (args.size() == 4 && args[0] == "planted") return Planted(args[1], args[2], args[3]);
        if (args.size() == 4 && args[0] == "kill-as-it-grows") return KillAsItGrowsIn(args[1], args[2], args[3]);
        if (args.size() == 5 && args[0] == "undo") return Undo(args[1], args[2], args[3], args[4]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: e2e_driver screenshot|replace-all|settings|true-names ...\n");
    return 2;
}
