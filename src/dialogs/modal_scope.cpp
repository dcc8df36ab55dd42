#include "dialogs/modal_scope.h"

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

ModalScope::ModalScope(HWND except) : active_(::GetActiveWindow()), focus_(::GetFocus()) {
    Collect collect{except, &disabled_};
    ::EnumThreadWindows(::GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&collect));
    for (HWND window : disabled_) ::EnableWindow(window, FALSE);
}

ModalScope::~ModalScope() {
    for (HWND window : disabled_) {
        if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    }
    if (active_ && ::IsWindow(active_)) ::SetActiveWindow(active_);
    if (focus_ && ::IsWindow(focus_)) ::SetFocus(focus_);
}

ArrowCursorScope::ArrowCursorScope() : arrow_(::LoadCursorA(nullptr, IDC_ARROW)), before_(::SetCursor(arrow_)) {}

ArrowCursorScope::~ArrowCursorScope() { ::SetCursor(::GetCursor() == arrow_ ? before_ : arrow_); }

}  // namespace dialogs
