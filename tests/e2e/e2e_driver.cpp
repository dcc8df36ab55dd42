// Starts the real program as a person would and drives it from outside its process.
// Usage:
//   e2e_driver screenshot <program.exe> <screenshot.bmp> [seconds]
//       the main window photographed, then closed through its close box; exit code 0.
//   e2e_driver replace-all <program.exe> <empty work folder>
//       the program copied into the folder beside some text files, texts typed, Replace All
//       clicked with the mouse, the confirmation and the completion message answered with
//       Enter, and every file's bytes compared with the expected result.
#include "app/main_form_layout.h"
#include "e2e/program_session.h"
#include "support/screen_capture.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

int Screenshot(const std::string& program, const std::string& bmp, int seconds) {
    e2e::ProgramSession session(program, "", seconds);
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
    std::string copy = folder + "\\SearchReplace.exe";
    if (!::CopyFileA(program.c_str(), copy.c_str(), FALSE)) throw std::runtime_error("cannot copy the program");
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

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() >= 3 && args[0] == "screenshot")
            return Screenshot(args[1], args[2], args.size() > 3 ? std::atoi(args[3].c_str()) : 60);
        if (args.size() == 3 && args[0] == "replace-all") return ReplaceAll(args[1], args[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: e2e_driver screenshot|replace-all ...\n");
    return 2;
}
