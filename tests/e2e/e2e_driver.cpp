// Starts the program as a person would, waits for its main window by caption, saves a
// screenshot of it as a BMP, closes it through its close box and reports the exit code.
// Usage: e2e_driver <program.exe> <screenshot.bmp> [seconds to wait]
#include "support/screen_capture.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kCaption = "Zavotek - String Search & Replace Utility";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: e2e_driver <program.exe> <screenshot.bmp> [seconds]\n");
        return 2;
    }
    int seconds = argc > 3 ? std::atoi(argv[3]) : 60;
    std::string command = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", argv[1], ::GetLastError());
        return 2;
    }
    ::WaitForInputIdle(pi.hProcess, seconds * 1000);
    HWND window = nullptr;
    for (int i = 0; i < seconds * 10 && !window; ++i) {
        window = ::FindWindowA("TForm1", kCaption);
        if (!window) ::Sleep(100);
    }
    if (!window || !::IsWindowVisible(window)) {
        std::fprintf(stderr, "no visible main window captioned \"%s\"\n", kCaption);
        ::TerminateProcess(pi.hProcess, 3);
        return 1;
    }
    ::Sleep(1500);  // let it paint
    RECT r;
    ::GetWindowRect(window, &r);
    std::printf("window %ldx%ld at %ld,%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    if (!test_support::ScreenCapture(r).SaveBmp(argv[2])) {
        std::fprintf(stderr, "cannot save %s\n", argv[2]);
        return 1;
    }
    ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (::WaitForSingleObject(pi.hProcess, seconds * 1000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the program did not end after its close box\n");
        ::TerminateProcess(pi.hProcess, 3);
        return 1;
    }
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    std::printf("exit code %lu\n", code);
    return code == 0 ? 0 : 1;
}
