#include "dialogs/error_report.h"

#include "dialogs/error_text.h"
#include "dialogs/modal_scope.h"
#include "platform/ansi_text.h"
#include "platform/errors.h"
#include "platform/module_path.h"
#include "widgets/application.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <typeinfo>

#if defined(__GNUC__)
#include <cxxabi.h>
#endif

namespace dialogs {

namespace {

// A foreign error's class as a person reads it ("std::runtime_error"), not in the compiler's
// mangled form. A compiler whose names are readable already gives "class std::runtime_error";
// the keyword goes.
std::string ReadableClassName(const std::type_info& type) {
    std::string name = type.name();
#if defined(__GNUC__)
    int status = -1;
    std::unique_ptr<char, void (*)(void*)> readable{abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status),
                                                    std::free};
    if (status == 0 && readable) name = readable.get();
#endif
    for (const char* keyword : {"class ", "struct "})
        if (name.rfind(keyword, 0) == 0) name.erase(0, std::strlen(keyword));
    return name;
}

struct Caught {
    std::string className;
    std::wstring message;
    bool programError = false;
};

// What the error being handled is, as the boxes name it.
Caught DescribeCurrent() {
    try {
        throw;
    } catch (const platform::EError& e) {
        return {e.ClassName(), e.Message(), true};
    } catch (const std::bad_alloc&) {
        return {"EOutOfMemory", platform::errors::OutOfMemory().Message(), true};
    } catch (const std::exception& e) {
        return {ReadableClassName(typeid(e)), platform::WideFromAnsi(e.what()), false};
    } catch (...) {
        return {"Exception", L"Unknown error", false};
    }
}

constexpr const wchar_t* kLastChanceCaption = L"Application Error";

// Once the main window is gone (closed while a command still runs), a box owned by it would not
// show at all; it goes without an owner instead.
HWND ApplicationWindowForBox() { return widgets::Application::LiveMainWindow(); }

std::wstring ModuleName() { return platform::ExecutablePath().FileName(); }


// For the time of the box, the application's window goes to the display where the user works.
class ShowOnActiveDisplay {
public:
    ShowOnActiveDisplay() : window_(ApplicationWindowForBox()) {
        HWND active = ::GetActiveWindow();
        if (!window_ || !active || !::IsWindowVisible(window_)) return;
        HMONITOR there = ::MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
        if (there == ::MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST)) return;
        MONITORINFO info{sizeof info};
        if (!::GetMonitorInfoA(there, &info) || !::GetWindowRect(window_, &before_)) return;
        ::SetWindowPos(window_, nullptr, info.rcWork.left, info.rcWork.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        moved_ = true;
    }
    ~ShowOnActiveDisplay() {
        if (moved_ && ::IsWindow(window_))
            ::SetWindowPos(window_, nullptr, before_.left, before_.top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

private:
    HWND window_;
    RECT before_{};
    bool moved_ = false;
};

void ShowBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
    ShowOnActiveDisplay display;
    ModalScope modal;
    ::MessageBoxW(ApplicationWindowForBox(), text.c_str(), caption.c_str(), flags);
}

}  // namespace

void ShowErrorBox(const std::wstring& message) {
    ShowBox(WithFullStop(message), platform::WideFromAnsi(widgets::Application::CurrentTitle()), MB_OK | MB_ICONERROR);
}

void ReportError(HWND) noexcept {
    try {
        if (HWND capture = ::GetCapture()) ::SendMessageA(capture, WM_CANCELMODE, 0, 0);
        Caught caught = DescribeCurrent();
        if (caught.programError) {
            ShowErrorBox(caught.message);
        } else {
            ShowBox(LastChanceText(caught.className, ModuleName(), caught.message), kLastChanceCaption,
                    MB_OK | MB_ICONERROR);
        }
    } catch (...) {
        // Showing the box cannot fail in a way the program could act on.
    }
}

int ShowLastChanceBox() noexcept {
    try {
        Caught caught = DescribeCurrent();
        std::wstring text = LastChanceText(caught.className, ModuleName(), caught.message);
        ::MessageBoxW(nullptr, text.c_str(), kLastChanceCaption, MB_TASKMODAL | MB_ICONERROR);
    } catch (...) {
    }
    return 1;
}

}  // namespace dialogs
