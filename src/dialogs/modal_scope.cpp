#include "dialogs/modal_scope.h"

#include "widgets/application.h"

namespace dialogs {

namespace {
struct Collect {
    HWND except;
    std::vector<HWND>* windows;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM param) {
    auto* collect = reinterpret_cast<Collect*>(param);
    if (window != collect->except && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
        collect->windows->push_back(window);
    }
    return TRUE;
}
}  // namespace

ModalScope::ModalScope(HWND except)
    : application_(widgets::Application::Current()), active_(::GetActiveWindow()), focus_(::GetFocus()) {
    Collect collect{except, &disabled_};
    ::EnumThreadWindows(::GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&collect));
    for (HWND window : disabled_) ::EnableWindow(window, FALSE);
    if (application_) application_->NormalizeTopmosts();
}

ModalScope::~ModalScope() {
    for (HWND window : disabled_) {
        if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    }
    if (application_ && application_ == widgets::Application::Current()) application_->RestoreTopmosts();
    if (active_ && ::IsWindow(active_)) ::SetActiveWindow(active_);
    if (focus_ && ::IsWindow(focus_)) ::SetFocus(focus_);
}

ArrowCursorScope::ArrowCursorScope() : arrow_(::LoadCursorA(nullptr, IDC_ARROW)), before_(::SetCursor(arrow_)) {}

ArrowCursorScope::~ArrowCursorScope() { ::SetCursor(::GetCursor() == arrow_ ? before_ : arrow_); }

}  // namespace dialogs
