#include "widgets/application.h"

#include "widgets/window.h"

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
