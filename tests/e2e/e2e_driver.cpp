// Starts the program as a person would, waits for its main window by caption, saves a
// screenshot of it as a BMP, closes it through its close box and reports the exit code.
// Usage: e2e_driver <program.exe> <screenshot.bmp> [seconds to wait]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kCaption = "Zavotek - String Search & Replace Utility";

bool SaveBmp(const char* path, HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    DWORD stride = ((w * 3 + 3) / 4) * 4, size = stride * h;
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0,
                          0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    bool ok = false;
    if (FILE* f = std::fopen(path, "wb")) {
        ok = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f) == 1 &&
             std::fwrite(bits, 1, size, f) == size;
        std::fclose(f);
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return ok;
}

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
    if (!SaveBmp(argv[2], window)) {
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
