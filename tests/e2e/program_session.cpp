#include "e2e/program_session.h"

#include "support/screen_capture.h"

#include <cstdio>
#include <stdexcept>

namespace e2e {

namespace {

constexpr const char* kCaption = "Zavotek - String Search & Replace Utility";
constexpr int kPanelIndex = 2;
// Wine answers ERROR_INTERNAL_ERROR when a new program's Unix process dies before it has started,
// as now and then right after a kill, while the killed one's is still going away.
constexpr int kStartAttempts = 5;
constexpr DWORD kStartRetryMs = 500, kKillMs = 30000;

UINT_PTR IdOf(int index) { return 100 + static_cast<UINT_PTR>(index); }

struct BoxSearch {
    DWORD process;
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != search->process || !::IsWindowVisible(window) || !::IsWindowEnabled(window)) return TRUE;
    char name[64] = {}, text[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    ::GetWindowTextA(window, text, sizeof text);
    // The program's message dialogs, or the system's message box that its error box is.
    const std::string kind = name;
    if ((kind != "TMessageForm" && kind != "#32770") || *search->caption != text) return TRUE;
    search->found = window;
    return FALSE;
}

struct MainWindowSearch {
    DWORD process;
    HWND found;
};

// This process's main window: another copy of the program may be running beside it.
BOOL CALLBACK FindMainWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<MainWindowSearch*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char name[16] = {}, text[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    ::GetWindowTextA(window, text, sizeof text);
    if (process != search->process || std::string(name) != "TForm1" || std::string(text) != kCaption) return TRUE;
    search->found = window;
    return FALSE;
}

std::string MessageOf(HWND box) {
    for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        char name[32] = {};
        ::GetClassNameA(c, name, sizeof name);
        if (lstrcmpiA(name, "Static") != 0 || (::GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
        char text[4096] = {};
        int n = ::GetWindowTextA(c, text, sizeof text);
        return std::string(text, n);
    }
    return {};
}

PROCESS_INFORMATION Start(const platform::Path& program, const platform::Path& folder) {
    std::wstring command = L"\"" + program.Text() + L"\"";
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION process{};
    for (int attempt = 1;; ++attempt, ::Sleep(kStartRetryMs)) {
        if (::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.empty() ? nullptr : folder.c_str(), &si, &process))
            return process;
        const DWORD error = ::GetLastError();
        const std::string failed = "cannot start the program, error " + std::to_string(error);
        if (error != ERROR_INTERNAL_ERROR || attempt == kStartAttempts) throw std::runtime_error(failed);
        std::printf("%s at attempt %d of %d; again in %lu ms\n", failed.c_str(), attempt, kStartAttempts, kStartRetryMs);
    }
}

}  // namespace

ProgramSession::ProgramSession(const platform::Path& program, const platform::Path& folder, int seconds)
    : process_(Start(program, folder)) {
    ::WaitForInputIdle(process_.hProcess, seconds * 1000);
    WaitUntil(
        [this] {
            MainWindowSearch search{process_.dwProcessId, nullptr};
            ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
            return (window_ = search.found) && ::IsWindowVisible(window_);
        },
        seconds);
    if (!window_ || !::IsWindowVisible(window_)) {
        ::TerminateProcess(process_.hProcess, 3);
        throw std::runtime_error(std::string("no visible main window captioned \"") + kCaption + "\"");
    }
}

ProgramSession::~ProgramSession() {
    if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(process_.hProcess, 3);
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
}

HWND ProgramSession::Control(int index) const {
    if (HWND direct = ::GetDlgItem(window_, static_cast<int>(IdOf(index)))) return direct;
    return ::GetDlgItem(::GetDlgItem(window_, static_cast<int>(IdOf(kPanelIndex))), static_cast<int>(IdOf(index)));
}

void ProgramSession::Key(HWND control, UINT virtualKey, bool alt) const {
    UINT scan = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16) | (alt ? (1 << 29) : 0);
    LPARAM up = down | (1u << 30) | (1u << 31);
    ::PostMessageA(control, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, down);
    ::PostMessageA(control, alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, up);
}

void ProgramSession::Type(HWND control, const std::string& text) const {
    Click(control, POINT{4, 4});
    // The characters as the keyboard's translation delivers them; posting the key-downs as well
    // would have the program's own loop translate them into a second copy of some characters.
    for (unsigned char c : text) ::PostMessageA(control, WM_CHAR, c, 1);
    // Everything posted is handled once a message sent afterwards comes back.
    ::SendMessageA(control, WM_NULL, 0, 0);
}

void ProgramSession::Click(HWND window, POINT at) const {
    LPARAM where = MAKELPARAM(at.x, at.y);
    ::PostMessageA(window, WM_MOUSEMOVE, 0, where);
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::PostMessageA(window, WM_LBUTTONUP, 0, where);
}

HWND ProgramSession::WaitForBox(const std::string& caption, std::string* text, int seconds) const {
    BoxSearch search{process_.dwProcessId, &caption, nullptr};
    WaitUntil(
        [&] {
            search.found = nullptr;
            ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        seconds);
    if (search.found && text) *text = MessageOf(search.found);
    return search.found;
}

bool ProgramSession::AnswerWithEnter(HWND box, int seconds) const {
    auto closed = [box] { return !::IsWindow(box) || !::IsWindowVisible(box); };
    // A box that has just appeared may not have given its button the focus yet; the key goes to
    // the focused button once there is one, and again if the first did not reach it.
    for (int attempt = 0; attempt < seconds && !closed(); ++attempt) {
        GUITHREADINFO info{sizeof info};
        if (::GetGUIThreadInfo(::GetWindowThreadProcessId(box, nullptr), &info) && ::IsChild(box, info.hwndFocus))
            Key(info.hwndFocus, VK_RETURN);
        WaitUntil(closed, 1);
    }
    return closed();
}

void ProgramSession::Kill() {
    ::TerminateProcess(process_.hProcess, 9);
    if (::WaitForSingleObject(process_.hProcess, kKillMs) != WAIT_OBJECT_0)
        throw std::runtime_error("the killed program had not ended " + std::to_string(kKillMs / 1000) + " s later");
}

bool ProgramSession::Photograph(const std::string& bmp) const {
    RECT r;
    return ::GetWindowRect(window_, &r) && test_support::ScreenCapture(r).SaveBmp(bmp);
}

bool ProgramSession::CloseAndCheckExit(int seconds) {
    ::PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (::WaitForSingleObject(process_.hProcess, seconds * 1000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the program did not end after its close box\n");
        return false;
    }
    DWORD code = 1;
    ::GetExitCodeProcess(process_.hProcess, &code);
    std::printf("exit code %lu\n", code);
    return code == 0;
}

}  // namespace e2e
