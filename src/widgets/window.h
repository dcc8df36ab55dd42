#pragma once
// The window base: one window procedure for every window of the program, with the error guard
// around each message, so that an exception never unwinds through the window manager.
#include <windows.h>

namespace widgets {

// Called from inside a catch block for a failure raised while a window handled a message.
using ErrorHandler = void (*)(HWND window) noexcept;
void SetErrorHandler(ErrorHandler handler) noexcept;

// Runs `f`; a failure is handed to the error handler instead of leaving this function.
template <typename F>
bool Guarded(HWND window, F&& f) noexcept;
void ReportCurrentError(HWND window) noexcept;

// What a control holds its text in: the ANSI code page, or UTF-16 for a text that may name any file.
enum class Charset { Ansi, Unicode };

// A visible child control of a native or registered class; one that cannot be made raises the
// program's own error naming its class.
HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style, const RECT& place, UINT_PTR id,
                   DWORD exStyle = 0, Charset charset = Charset::Ansi);

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const noexcept { return hwnd_; }

protected:
    // Registers (once) a window class whose procedure is this base's, then creates the window.
    void Create(const char* className, DWORD exStyle, const char* caption, DWORD style, const RECT& place,
                HWND parent, UINT_PTR id = 0, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                UINT classStyle = CS_DBLCLKS);
    // Takes over the messages of a native control's window (edit, list box, ...), letting go of
    // any window the object held before. The window becomes a Unicode window.
    void Subclass(HWND control);

    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // The class procedure of the program's own windows, and the one put in front of a native
    // control's; both find the object in the window's user data and hand the message to Dispatch.
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK SubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT Dispatch(Window* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    // Lets go of the window: the control gets its own procedure back, the object is forgotten.
    void Detach() noexcept;

    HWND hwnd_ = nullptr;
    // A subclassed control's own procedure; null for the program's own windows.
    WNDPROC original_ = nullptr;
};

template <typename F>
bool Guarded(HWND window, F&& f) noexcept {
    try {
        f();
        return true;
    } catch (...) {
        ReportCurrentError(window);
        return false;
    }
}

}  // namespace widgets
