#include "widgets/window.h"

#include "platform/ansi_text.h"
#include "platform/errors.h"

namespace widgets {

HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style, const RECT& place, UINT_PTR id,
                   DWORD exStyle, Charset charset) {
    const DWORD fullStyle = WS_CHILD | WS_VISIBLE | style;
    const int width = place.right - place.left, height = place.bottom - place.top;
    HWND child = charset == Charset::Unicode
                     ? ::CreateWindowExW(exStyle, platform::WideFromAnsi(className).c_str(),
                                         platform::WideFromAnsi(text).c_str(), fullStyle, place.left, place.top, width,
                                         height, parent, reinterpret_cast<HMENU>(id), ::GetModuleHandleW(nullptr),
                                         nullptr)
                     : ::CreateWindowExA(exStyle, className, text, fullStyle, place.left, place.top, width, height,
                                         parent, reinterpret_cast<HMENU>(id), ::GetModuleHandleA(nullptr), nullptr);
    if (!child) throw platform::errors::CannotCreateWindow(className);
    return child;
}

namespace {

// Where a control's own procedure is kept for our procedure once the object has let go while a
// later subclass stood in front of ours (see Detach).
constexpr wchar_t kOwnProcedure[] = L"ZavotekOwnProcedure";

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

}  // namespace

void SetErrorHandler(ErrorHandler handler) noexcept { g_errorHandler = handler ? handler : DefaultErrorHandler; }

void ReportCurrentError(HWND window) noexcept { g_errorHandler(window); }

Window::~Window() {
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    Detach();
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
    HWND created = ::CreateWindowExA(exStyle, className, caption, style, place.left, place.top,
                                     place.right - place.left, place.bottom - place.top, parent, menuOrId, instance,
                                     this);
    if (!created) {
        hwnd_ = nullptr;
        throw platform::errors::CannotCreateWindow(className);
    }
}

// The classic subclass: the control's procedure is swapped for ours, and the object sits in the
// window's user data. Both are kept in the process's own memory, so that a message costs no
// round trip to Wine's server, which the common controls' subclassing pays on every message by
// looking its data up as a window property.
void Window::Subclass(HWND control) {
    if (hwnd_) Detach();
    ::SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    hwnd_ = control;
    original_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProcedure)));
}

void Window::Detach() noexcept {
    // Another subclass put in front of ours later would lose its place if ours were taken out
    // from under it; ours then stays, and passes messages on to the control's own procedure,
    // which it finds as a window property. Only this rare case pays for a property look-up.
    if (original_) {
        if (::GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassProcedure))
            ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        else
            ::SetPropW(hwnd_, kOwnProcedure, reinterpret_cast<HANDLE>(original_));
    }
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    original_ = nullptr;
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (original_) return ::CallWindowProcW(original_, hwnd_, message, wParam, lParam);
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
        self->Detach();
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return Dispatch(self, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        // The object let go while a later subclass still stood in front of ours.
        const auto own = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, kOwnProcedure));
        if (message == WM_NCDESTROY) ::RemovePropW(hwnd, kOwnProcedure);
        return ::CallWindowProcW(own, hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        WNDPROC original = self->original_;
        self->Detach();
        ::RemovePropW(hwnd, kOwnProcedure);
        return ::CallWindowProcW(original, hwnd, message, wParam, lParam);
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
