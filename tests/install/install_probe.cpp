// The installed program driven from outside, under Wine, for run_install and run_msi:
//   install_probe look [screenshot.bmp]
//       waits for the program's main window, prints the folder its folder row shows and then the
//       entries of its file list, one a line in UTF-8, photographs the window if asked, and
//       closes it.
//   install_probe verb <key under HKCU\Software\Classes> <folder> [screenshot.bmp]
//       runs the command of a folder's menu entry as Explorer does, its %V replaced by <folder>
//       and started in it, then does as `look` and ends with the program's exit code.
// A copy named SearchReplace.exe stands in for the program: it prints its arguments, one a
// line, and ends with 42.
#include "platform/module_path.h"
#include "support/screen_capture.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr int kStubExitCode = 42, kSeconds = 90;

void Print(const std::wstring& line) {
    const std::wstring text = line + L"\n";
    std::string utf8(text.size() * 4, '\0');
    utf8.resize(::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                                      static_cast<int>(utf8.size()), nullptr, nullptr));
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// The folder row is the read-only edit; the file list the one list box of the window's own.
BOOL CALLBACK Show(HWND child, LPARAM) {
    wchar_t kind[32] = {};
    ::GetClassNameW(child, kind, 32);
    if (lstrcmpiW(kind, L"Edit") == 0 && (::GetWindowLongW(child, GWL_STYLE) & ES_READONLY)) Print(TextOf(child));
    if (lstrcmpiW(kind, L"ListBox") != 0) return TRUE;
    for (int i = 0, n = static_cast<int>(::SendMessageW(child, LB_GETCOUNT, 0, 0)); i < n; ++i) {
        std::wstring entry(static_cast<size_t>(::SendMessageW(child, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        entry.resize(static_cast<size_t>(::SendMessageW(child, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        Print(entry);
    }
    return TRUE;
}

int Look(const std::wstring& screenshot) {
    HWND window = nullptr;
    for (int i = 0; i < kSeconds * 10 && !(window && ::IsWindowVisible(window)); ++i, ::Sleep(100))
        window = ::FindWindowW(L"TForm1", L"Zavotek - String Search & Replace Utility");
    if (!window) return Print(L"no main window appeared"), 1;
    ::Sleep(500);  // the edit's text and the list come before the window shows; a moment to paint
    ::EnumChildWindows(window, Show, 0);
    RECT place{};
    ::GetWindowRect(window, &place);
    if (!screenshot.empty() && !test_support::ScreenCapture(place).SaveBmp(platform::Path(screenshot).AnsiForm().value()))
        return Print(L"cannot save " + screenshot), 1;
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}

int Verb(const std::wstring& key, const std::wstring& folder, const std::wstring& screenshot) {
    wchar_t command[2048] = {};
    DWORD size = sizeof command;
    if (::RegGetValueW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + key + L"\\command").c_str(), nullptr,
                       RRF_RT_REG_SZ, nullptr, command, &size) != ERROR_SUCCESS)
        return Print(L"no command under " + key), 1;
    std::wstring line = command;
    for (size_t at; (at = line.find(L"%V")) != std::wstring::npos;) line.replace(at, 2, folder);
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return Print(L"cannot run " + line), 1;
    ::CloseHandle(pi.hThread);
    DWORD code = Look(screenshot) == 0 && ::WaitForSingleObject(pi.hProcess, kSeconds * 1000) == WAIT_OBJECT_0 ? 0 : 1;
    if (code == 0) ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    if (lstrcmpiW(platform::ExecutablePath().FileName().c_str(), L"SearchReplace.exe") == 0) {
        for (const std::wstring& arg : args) Print(arg);
        return kStubExitCode;
    }
    const std::wstring screenshot = args.size() == 2 || args.size() == 4 ? args.back() : L"";
    if (!args.empty() && args[0] == L"look" && args.size() <= 2) return Look(screenshot);
    if (!args.empty() && args[0] == L"verb" && args.size() >= 3 && args.size() <= 4) return Verb(args[1], args[2], screenshot);
    Print(L"usage: install_probe look [screenshot.bmp] | verb <key> <folder> [screenshot.bmp]");
    return 2;
}
