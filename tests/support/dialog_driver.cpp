#include "support/dialog_driver.h"
#include "support/temp_folder.h"

#include "support/screen_capture.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <iterator>

namespace test_support {

namespace {

constexpr DWORD kPollMs = 10;

// The driver knows that a dialog's thread has handled what was posted to it once that thread
// takes a marker message posted after it: posted messages are taken in order.
struct Marker {
    UINT message = ::RegisterWindowMessageA("ZavotekDialogDriverMarker");
    std::atomic<WPARAM> taken{0};
    WPARAM next = 0;
};
Marker& TheMarker() {
    static Marker marker;
    return marker;
}

LRESULT CALLBACK MarkerHook(int code, WPARAM removal, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    Marker& marker = TheMarker();
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == marker.message) {
        marker.taken = msg->wParam;
        msg->message = WM_NULL;
    }
    return ::CallNextHookEx(nullptr, code, removal, lParam);
}

bool WaitUntil(DWORD timeoutMs, const std::atomic<bool>& stopped, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (stopped || std::chrono::steady_clock::now() > end) return false;
        ::Sleep(kPollMs);
    }
    return true;
}

// In UTF-8, so that a name the ANSI code page cannot hold reads as it is shown.
std::string TextOf(HWND window) {
    wchar_t text[4096] = {};
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                               &length))
        return {};
    return Utf8Name(std::wstring(text, length));
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    int n = ::GetClassNameA(window, name, sizeof name);
    return std::string(name, n);
}

bool IsClass(HWND window, const char* name) { return ::lstrcmpiA(ClassOf(window).c_str(), name) == 0; }

bool IsDialogOf(HWND window, DialogClass which) {
    bool form = IsClass(window, "TMessageForm"), box = IsClass(window, "#32770");
    switch (which) {
    case DialogClass::MessageForm: return form;
    case DialogClass::ErrorBox: return box;
    default: return form || box;
    }
}

// The topmost visible dialog of this process that takes input, or null.
HWND FindDialog(DialogClass which, bool enabledOnly) {
    struct Search {
        DialogClass which;
        bool enabledOnly;
        HWND found;
    } search{which, enabledOnly, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window)) return TRUE;
            if (s->enabledOnly && !::IsWindowEnabled(window)) return TRUE;
            if (!IsDialogOf(window, s->which)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildrenOf(HWND dialog) {
    std::vector<HWND> children;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    return children;
}

HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{sizeof info};
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info)) return nullptr;
    HWND focus = info.hwndFocus;
    return (focus == dialog || ::IsChild(dialog, focus)) ? focus : nullptr;
}

SeenDialog Describe(HWND dialog) {
    SeenDialog seen;
    seen.window = dialog;
    seen.windowClass = ClassOf(dialog);
    seen.caption = TextOf(dialog);
    for (HWND child : ChildrenOf(dialog)) {
        if (IsClass(child, "Button")) {
            seen.buttons.push_back(TextOf(child));
        } else if (IsClass(child, "Static") && (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON &&
                   seen.text.empty()) {
            seen.text = TextOf(child);
        }
    }
    if (HWND focus = FocusOf(dialog)) seen.focus = TextOf(focus);
    return seen;
}

std::string WithoutMarks(std::string caption) {
    std::erase(caption, '&');
    return caption;
}

// Shift and Ctrl held in the key state that the dialog's thread reads, for one key.
class HeldModifiers {
public:
    HeldModifiers(DWORD dialogThread, unsigned modifiers) : dialogThread_(dialogThread) {
        if (!(modifiers & (kShift | kCtrl))) return;
        attached_ = ::AttachThreadInput(::GetCurrentThreadId(), dialogThread_, TRUE);
        ::GetKeyboardState(before_);
        BYTE state[256];
        std::copy(std::begin(before_), std::end(before_), state);
        if (modifiers & kShift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
        if (modifiers & kCtrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
        ::SetKeyboardState(state);
    }
    ~HeldModifiers() {
        if (!attached_) return;
        ::SetKeyboardState(before_);
        ::AttachThreadInput(::GetCurrentThreadId(), dialogThread_, FALSE);
    }
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;

private:
    DWORD dialogThread_;
    bool attached_ = false;
    BYTE before_[256] = {};
};

void PostKey(HWND target, UINT key, bool alt) {
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM altBit = alt ? (1 << 29) : 0;
    const LPARAM up = (1 << 30) | (static_cast<LPARAM>(1) << 31);
    ::PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | scan | altBit);
    ::PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, key, 1 | scan | altBit | up);
}

}  // namespace

DialogAnswer DialogAnswer::Key(UINT virtualKey, unsigned modifiers) {
    DialogAnswer answer(Action::Key);
    answer.key_ = virtualKey;
    answer.modifiers_ = modifiers;
    return answer;
}

DialogAnswer DialogAnswer::Click(std::string caption) {
    DialogAnswer answer(Action::Click);
    answer.button_ = std::move(caption);
    return answer;
}

DialogAnswer DialogAnswer::CloseBox() { return DialogAnswer(Action::CloseBox); }

DialogAnswer DialogAnswer::Quit() { return DialogAnswer(Action::Quit); }

DialogAnswer& DialogAnswer::StaysOpen() {
    staysOpen_ = true;
    return *this;
}

DialogAnswer& DialogAnswer::On(DialogClass which) {
    on_ = which;
    return *this;
}

DialogAnswer& DialogAnswer::SaveImage(std::string bmpPath) {
    imagePath_ = std::move(bmpPath);
    return *this;
}

DialogAnswer& DialogAnswer::Inspect(std::function<void(HWND)> look) {
    inspect_ = std::move(look);
    return *this;
}

DialogDriver::DialogDriver(std::vector<DialogAnswer> answers, DWORD timeoutMs)
    : answers_(std::move(answers)), timeoutMs_(timeoutMs), thread_([this] { Run(); }) {}

DialogDriver::~DialogDriver() {
    // Left by an exception (the code under test failed before its dialogs came): no dialog will.
    if (std::uncaught_exceptions() > 0) stopped_ = true;
    Finish();
}

bool DialogDriver::Finish() {
    if (thread_.joinable()) thread_.join();
    return failure_.empty();
}

void DialogDriver::Fail(const std::string& why) {
    if (failure_.empty()) failure_ = why;
}

void DialogDriver::Run() {
    // A message queue of its own, so that this thread can share the dialog thread's input.
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    for (size_t i = 0; i < answers_.size() && failure_.empty(); ++i) {
        HWND dialog = nullptr;
        WaitUntil(timeoutMs_, stopped_, [&] { return (dialog = FindDialog(answers_[i].on_, true)) != nullptr; });
        if (!dialog) {
            Fail("no dialog appeared for answer " + std::to_string(i + 1));
        } else if (!Answer(answers_[i], dialog)) {
            const char* what = answers_[i].staysOpen_ ? "stay open" : "close";
            Fail("the dialog did not " + std::string(what) + " after answer " + std::to_string(i + 1) + " (\"" +
                 seen_.back().caption + "\")");
        }
    }
    if (!failure_.empty()) CloseEveryDialog();
}

bool DialogDriver::Answer(const DialogAnswer& answer, HWND dialog) {
    seen_.push_back(Describe(dialog));
    if (answer.inspect_) answer.inspect_(dialog);
    const DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
    if (!answer.imagePath_.empty()) {
        ::RedrawWindow(dialog, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::Sleep(300);  // the screen catches up with the drawing
        RECT place;
        ::GetWindowRect(dialog, &place);
        if (!ScreenCapture(place).SaveBmp(answer.imagePath_)) Fail("cannot save " + answer.imagePath_);
    }

    HeldModifiers held(thread, answer.modifiers_);
    switch (answer.action_) {
    case DialogAnswer::Action::Key: {
        HWND focus = FocusOf(dialog);
        PostKey(focus ? focus : dialog, answer.key_, answer.modifiers_ & kAlt);
        break;
    }
    case DialogAnswer::Action::Click: {
        HWND button = nullptr;
        for (HWND child : ChildrenOf(dialog)) {
            if (IsClass(child, "Button") && WithoutMarks(TextOf(child)) == WithoutMarks(answer.button_)) button = child;
        }
        if (!button) {
            Fail("no button \"" + answer.button_ + "\" in \"" + seen_.back().caption + "\"");
            return true;
        }
        ::PostMessageA(button, BM_CLICK, 0, 0);
        break;
    }
    case DialogAnswer::Action::CloseBox: ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case DialogAnswer::Action::Quit: ::PostThreadMessageA(thread, WM_QUIT, 0, 0); break;
    }

    if (!answer.staysOpen_) {
        return WaitUntil(timeoutMs_, stopped_, [&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); });
    }
    // Twice: a key's character is posted while the key is handled, after the first marker.
    Marker& marker = TheMarker();
    HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, MarkerHook, nullptr, thread);
    if (!hook) return false;
    bool handled = true;
    for (int round = 0; round < 2 && handled; ++round) {
        const WPARAM cookie = ++marker.next;
        handled = ::PostMessageA(dialog, marker.message, cookie, 0) &&
                  WaitUntil(timeoutMs_, stopped_, [&] { return marker.taken == cookie; });
    }
    ::UnhookWindowsHookEx(hook);
    return handled && ::IsWindowVisible(dialog);
}

void DialogDriver::CloseEveryDialog() {
    WaitUntil(timeoutMs_, stopped_, [] {
        HWND dialog = FindDialog(DialogClass::Any, false);
        if (dialog) ::PostMessageA(dialog, WM_CLOSE, 0, 0);
        return dialog == nullptr;
    });
}

}  // namespace test_support
