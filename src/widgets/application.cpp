#include "widgets/application.h"

#include "platform/errors.h"
#include "widgets/display.h"
#include "widgets/window.h"

#include <algorithm>

namespace widgets {

// A shell gives a task-bar button to every visible top-level window that has no owner; this one
// is that window for the program, at the centre of the screen with no size. (Off the screen it
// would be out of reach under Wine once minimised, with no task bar to bring it back.)
class ApplicationWindow final : public Window {
public:
    explicit ApplicationWindow(const Application& application) : application_(application) {
        const POINT centre = CentreIn(DisplayRect(PrimaryDisplay()), SIZE{});
        Create("TApplication", 0, application.Title().c_str(),
               WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
               RECT{centre.x, centre.y, centre.x, centre.y}, nullptr);
    }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_ACTIVATE: return OnActivate(wParam, lParam);
        case WM_SIZE: return OnSize(wParam, lParam);
        case WM_CLOSE: return OnClose();
        default: return Default(message, wParam, lParam);
        }
    }

private:
    // Activated from its button or by Alt+Tab: the window the user last worked in takes over,
    // the main window or a box it shows.
    LRESULT OnActivate(WPARAM state, LPARAM other) {
        if (LOWORD(state) != WA_INACTIVE && !HIWORD(state) && PassActivation()) return 0;
        return Default(WM_ACTIVATE, state, other);
    }
    bool PassActivation() {
        HWND main = application_.MainWindow();
        if (!::IsWindow(main) || !::IsWindowVisible(main)) return false;
        HWND last = ::GetLastActivePopup(main);
        if (!::IsWindowEnabled(last)) return false;
        ::SetActiveWindow(last);
        return true;
    }
    // Minimised, it takes the main window and the windows that one owns out of sight, and brings
    // them back when restored. Windows itself does so for the windows it owns directly, Wine not.
    LRESULT OnSize(WPARAM kind, LPARAM size) {
        const BOOL shown = kind != SIZE_MINIMIZED;
        if (HWND main = application_.MainWindow(); ::IsWindow(main)) {
            if (!shown) ::ShowOwnedPopups(main, FALSE);
            ::ShowOwnedPopups(Handle(), shown);
            if (shown) ::ShowOwnedPopups(main, TRUE);
        }
        // Restoring activated this window while the main window was still out of sight.
        if (shown && ::GetActiveWindow() == Handle()) PassActivation();
        return Default(WM_SIZE, kind, size);
    }
    // Closing the button closes the main window, which ends the program; this window stays
    // until the application goes.
    LRESULT OnClose() {
        if (HWND main = application_.MainWindow(); ::IsWindow(main)) ::SendMessageA(main, WM_CLOSE, 0, 0);
        return 0;
    }

    const Application& application_;
};

Application* Application::current_ = nullptr;

Application::Application(std::string title)
    : title_(std::move(title)), window_(std::make_unique<ApplicationWindow>(*this)) {
    current_ = this;
}

HWND Application::Handle() const noexcept { return window_->Handle(); }

void Application::ShowTaskBarButton() noexcept { ::ShowWindow(Handle(), SW_SHOWNOACTIVATE); }

void Application::Minimize() noexcept { ::ShowWindow(Handle(), SW_MINIMIZE); }

std::string Application::CurrentTitle() { return current_ ? current_->title_ : std::string(); }

HWND Application::LiveMainWindow() noexcept {
    HWND window = current_ ? current_->mainWindow_ : nullptr;
    return ::IsWindow(window) ? window : nullptr;
}

Application::~Application() {
    if (current_ == this) current_ = nullptr;
}

int Application::Run(MessageSource getMessage) {
    MSG msg;
    while (!terminated_) {
        const BOOL got = getMessage(&msg, nullptr, 0, 0);
        if (got == -1) {
            // Not an end the user asked for: the program ends, and says why.
            terminated_ = true;
            throw platform::errors::MessageLoopFailed(::GetLastError());
        }
        if (got == 0) {
            terminated_ = true;
            exitCode_ = static_cast<int>(msg.wParam);
            break;
        }
        HandleMessage(msg);
    }
    return exitCode_;
}

void Application::ProcessMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            exitCode_ = static_cast<int>(msg.wParam);
            continue;
        }
        HandleMessage(msg);
    }
}

void Application::AddStayOnTop(HWND window) {
    stayOnTop_.push_back(window);
    PlaceStayOnTop(window);
}

void Application::RemoveStayOnTop(HWND window) noexcept {
    stayOnTop_.erase(std::remove(stayOnTop_.begin(), stayOnTop_.end(), window), stayOnTop_.end());
}

void Application::NormalizeTopmosts() noexcept {
    if (++modalBoxes_ == 1)
        for (HWND window : stayOnTop_) PlaceStayOnTop(window);
}

void Application::RestoreTopmosts() noexcept {
    if (modalBoxes_ > 0 && --modalBoxes_ == 0)
        for (HWND window : stayOnTop_) PlaceStayOnTop(window);
}

void Application::SetActive(bool active) noexcept {
    if (inactive_ == !active) return;
    inactive_ = !active;
    for (HWND window : stayOnTop_) PlaceStayOnTop(window);
}

void Application::PlaceStayOnTop(HWND window) const noexcept {
    constexpr UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (modalBoxes_ == 0 && !inactive_) {
        ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kOrderOnly);
        return;
    }
    // Wine keeps an owned window above its owner by rewriting the place it is asked to go to, and
    // for a window lying right above its owner that rewrite turns leaving the topmost band into
    // nothing at all; so the window is let go of its owner for the move.
    HWND owner = ::GetWindow(window, GW_OWNER);
    if (owner) ::SetWindowLongPtrA(window, GWLP_HWNDPARENT, 0);
    ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kOrderOnly);
    if (owner) ::SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    // Then down past any other program's windows, to just above the main window.
    HWND main = LiveMainWindow();
    HWND above = main && main != window ? ::GetWindow(main, GW_HWNDPREV) : nullptr;
    if (above && above != window) ::SetWindowPos(window, above, 0, 0, 0, 0, kOrderOnly);
}

void Application::Terminate() noexcept {
    terminated_ = true;
    // The button goes with the main window, also while a command that was running goes on.
    ::ShowWindow(Handle(), SW_HIDE);
    ::PostQuitMessage(0);
}

void Application::HandleMessage(MSG& msg) {
    Guarded(msg.hwnd, [&] {
        if (msg.message == WM_KEYDOWN && TakeShortcut && TakeShortcut(msg)) return;
        // Dialog-style keyboard handling (Tab, arrows, mnemonics) for the top-level window.
        HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && ::IsDialogMessageA(root, &msg)) return;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    });
}

}  // namespace widgets
