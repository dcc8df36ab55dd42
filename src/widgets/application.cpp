#include "widgets/application.h"

#include "widgets/window.h"

#include <algorithm>

namespace widgets {

Application* Application::current_ = nullptr;

Application::Application(std::string title) : title_(std::move(title)) { current_ = this; }

std::string Application::CurrentTitle() { return current_ ? current_->title_ : std::string(); }

HWND Application::LiveMainWindow() noexcept {
    HWND window = current_ ? current_->mainWindow_ : nullptr;
    return ::IsWindow(window) ? window : nullptr;
}

Application::~Application() {
    if (current_ == this) current_ = nullptr;
}

int Application::Run() {
    MSG msg;
    while (!terminated_) {
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            terminated_ = true;
            if (got == 0) exitCode_ = static_cast<int>(msg.wParam);
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
    ::PostQuitMessage(0);
}

bool Application::HandleMessage(MSG& msg) {
    return Guarded(msg.hwnd, [&] {
        // Dialog-style keyboard handling (Tab, arrows, mnemonics) for the top-level window.
        HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && ::IsDialogMessageA(root, &msg)) return;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    });
}

}  // namespace widgets
