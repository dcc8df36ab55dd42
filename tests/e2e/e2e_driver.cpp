// Starts the real program as a person would and drives it from outside its process.
// Usage:
//   e2e_driver screenshot <program.exe> <empty work folder> <screenshot.bmp> [seconds]
//       the program copied into the folder, started, its main window photographed, then closed
//       through its close box; exit code 0.
//   e2e_driver replace-all <program.exe> <empty work folder>
//       the program copied into the folder beside some text files, texts typed, Replace All
//       clicked with the mouse, the confirmation and the completion message answered with
//       Enter, and every file's bytes compared with the expected result.
//   e2e_driver settings <program.exe> <empty work folder>
//       the program started twice: in the first run the folder is chosen with the folder browser,
//       the file type with the keyboard, the texts typed and Save Search ticked; after the close
//       the settings file's bytes are checked; the second run must show every value again.
#include "app/main_form_layout.h"
#include "e2e/program_session.h"
#include "support/screen_capture.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The program as a person starts it for the first time: alone in its folder with a text file,
// no settings file beside it.
std::string CopyInto(const std::string& program, const std::string& folder) {
    std::string copy = folder + "\\SearchReplace.exe";
    if (!::CopyFileA(program.c_str(), copy.c_str(), FALSE)) throw std::runtime_error("cannot copy the program");
    return copy;
}

int Screenshot(const std::string& program, const std::string& folder, const std::string& bmp, int seconds) {
    std::string copy = CopyInto(program, folder);
    e2e::WriteWholeFile(folder + "\\notes.txt", "A first line\r\nand a second one.\r\n");
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

int ReplaceAll(const std::string& program, const std::string& folder) {
    const std::vector<Case> cases = {
        {"alpha.txt", "Hello world, HELLO there, hello!\r\n", "Bye world, Bye there, Bye!\r\n"},
        {"beta.txt", "nothing to see\r\n", "nothing to see\r\n"},
        {"gamma.txt", "hellohello\nhel lo", "ByeBye\nhel lo"},
        {"other.dat", "hello stays, not listed", "hello stays, not listed"},
    };
    std::string copy = CopyInto(program, folder);
    for (const Case& c : cases)
        if (!e2e::WriteWholeFile(folder + "\\" + c.name, c.before)) throw std::runtime_error("cannot write " + c.name);

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
        if (!e2e::ReadWholeFile(folder + "\\" + c.name, bytes) || bytes != c.after) {
            std::fprintf(stderr, "%s holds the wrong bytes: \"%s\"\n", c.name.c_str(), bytes.c_str());
            ++wrong;
        }
    }
    bool closed = session.CloseAndCheckExit(60);
    ::DeleteFileA(copy.c_str());
    std::printf("%d of %zu files as expected\n", static_cast<int>(cases.size()) - wrong, cases.size());
    return wrong == 0 && closed ? 0 : 1;
}

std::string TextOf(HWND window) {
    char text[4096] = {};
    int n = static_cast<int>(::SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)));
    return std::string(text, n);
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

int Settings(const std::string& program, const std::string& folder) {
    std::string copy = CopyInto(program, folder), docs = folder + "\\docs", ini = folder + "\\Molvatrenquist.ini";
    if (!::CreateDirectoryA(docs.c_str(), nullptr)) throw std::runtime_error("cannot prepare the work folder");
    e2e::WriteWholeFile(docs + "\\setup.ini", "[a]\r\n");
    e2e::WriteWholeFile(docs + "\\readme.txt", "text\r\n");
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
    bool read = e2e::ReadWholeFile(ini, bytes);
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
    Expect(e2e::ReadWholeFile(ini, bytes) && bytes == expected, "the second close wrote the same bytes", wrong);
    ::DeleteFileA(copy.c_str());
    return wrong == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() >= 4 && args[0] == "screenshot")
            return Screenshot(args[1], args[2], args[3], args.size() > 4 ? std::atoi(args[4].c_str()) : 60);
        if (args.size() == 3 && args[0] == "replace-all") return ReplaceAll(args[1], args[2]);
        if (args.size() == 3 && args[0] == "settings") return Settings(args[1], args[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: e2e_driver screenshot|replace-all|settings ...\n");
    return 2;
}
