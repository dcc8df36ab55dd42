#include "widgets/window.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

namespace widgets {

namespace {

void DefaultErrorHandler(HWND window) noexcept {
    try {
        throw;
    } catch (const std::exception& e) {
        ::MessageBoxA(window, e.what(), nullptr, MB_OK | MB_ICONERROR);
    } catch (...) {
        ::MessageBoxA(window, "Unknown error", nullptr, MB_OK | MB_ICONERROR);
    }
}

ErrorHandler g_errorHandler = DefaultErrorHandler;

constexpr UINT_PTR kSubclassId = 0x5A56;

}  // namespace

void SetErrorHandler(ErrorHandler handler) noexcept { g_errorHandler = handler ? handler : DefaultErrorHandler; }

void ReportCurrentError(HWND window) noexcept { g_errorHandler(window); }

Window::~Window() {
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    if (subclassed_) {
        ::RemoveWindowSubclass(hwnd, SubclassProcedure, kSubclassId);
    } else {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    }
    hwnd_ = nullptr;
    ::DestroyWindow(hwnd);
}

void Window::Create(const char* className, DWORD exStyle, const char* caption, DWORD style, const RECT& place,
                    HWND parent, UINT_PTR id, HCURSOR cursor, HBRUSH background, UINT classStyle) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{sizeof existing};
    if (!::GetClassInfoExA(instance, className, &existing)) {
        WNDCLASSEXA wc{sizeof wc};
        wc.style = classStyle;
        wc.lpfnWndProc = Procedure;
        wc.hInstance = instance;
        wc.hCursor = cursor ? cursor : ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.lpszClassName = className;
        wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(1));
        ::RegisterClassExA(&wc);
    }
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(id) : nullptr;
    ::CreateWindowExA(exStyle, className, caption, style, place.left, place.top, place.right - place.left,
                      place.bottom - place.top, parent, menuOrId, instance, this);
    if (!hwnd_) throw std::runtime_error(std::string("Cannot create window of class ") + className);
}

void Window::Subclass(HWND control) {
    hwnd_ = control;
    subclassed_ = true;
    ::SetWindowSubclass(control, SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (subclassed_) return ::DefSubclassProc(hwnd_, message, wParam, lParam);
    return ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return Dispatch(self, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR selfData) noexcept {
    auto* self = reinterpret_cast<Window*>(selfData);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, SubclassProcedure, kSubclassId);
        self->hwnd_ = nullptr;
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    }
    return Dispatch(self, hwnd, message, wParam, lParam);
}

LRESULT Window::Dispatch(Window* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    LRESULT result = 0;
    // A failed message counts as handled: whatever would have followed it is skipped.
    Guarded(hwnd, [&] { result = self->OnMessage(message, wParam, lParam); });
    return result;
}

}  // namespace widgets
