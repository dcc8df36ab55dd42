#include "platform/ansi_text.h"

#include <windows.h>

namespace platform {

std::wstring WideFromAnsi(const std::string& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), n);
    return wide;
}

std::string AnsiFromWide(const std::wstring& text, bool* lossy) {
    if (lossy) *lossy = false;
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    // A UTF-8 code page holds every character and refuses the flags and the default-character report.
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* report = utf8 ? nullptr : &usedDefault;
    int n = ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, ansi.data(), n, nullptr, report);
    if (lossy) *lossy = usedDefault != FALSE;
    return ansi;
}

}  // namespace platform
