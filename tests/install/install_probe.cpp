// For run_install, under Wine. `install_probe run <folder> <command line>` runs a command line as
// Explorer runs a menu entry's (split by the system's rules, started in the folder) and ends with
// its exit code. A copy named SearchReplace.exe stands in for the program: it prints its
// arguments, one a line in UTF-8, and ends with 42.
#include "platform/module_path.h"

#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    if (lstrcmpiW(platform::ExecutablePath().FileName().c_str(), L"SearchReplace.exe") == 0) {
        for (int i = 1; i < argc; ++i) {
            char line[4096];
            const int n = ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, line, sizeof line - 1, nullptr, nullptr);
            if (n == 0) return 1;
            line[n - 1] = '\n';
            DWORD written = 0;
            ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(n), &written, nullptr);
        }
        return 42;
    }
    if (argc != 4 || std::wstring(argv[1]) != L"run") return 2;
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, argv[3], nullptr, nullptr, FALSE, 0, nullptr, argv[2], &si, &pi)) return 3;
    DWORD code = 4;
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    ::GetExitCodeProcess(pi.hProcess, &code);
    return static_cast<int>(code);
}
