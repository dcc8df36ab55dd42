#pragma once
// While a modal box shows: the program's other windows are disabled, its stay-on-top windows are
// ordinary ones, and the keyboard focus and active window are kept, to be given back when the
// scope ends.
#include <windows.h>

#include <vector>

namespace widgets {
class Application;
}

namespace dialogs {

class ModalScope {
public:
    // `except` stays enabled (the dialog itself, when it already exists).
    explicit ModalScope(HWND except = nullptr);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    widgets::Application* application_;
    std::vector<HWND> disabled_;
    HWND active_;
    HWND focus_;
};

// The normal arrow for the time of a modal box; the cursor from before comes back after it,
// unless something changed the cursor meanwhile, and then the arrow stays.
class ArrowCursorScope {
public:
    ArrowCursorScope();
    ~ArrowCursorScope();
    ArrowCursorScope(const ArrowCursorScope&) = delete;
    ArrowCursorScope& operator=(const ArrowCursorScope&) = delete;

private:
    HCURSOR arrow_;
    HCURSOR before_;
};

}  // namespace dialogs
