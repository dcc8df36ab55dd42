#pragma once
// Text crossing between UTF-16 and the system's ANSI code page.
#include <string>

namespace platform {

std::wstring WideFromAnsi(const std::string& text);
// Characters without an ANSI form become the code page's default character; `lossy`, when
// given, tells whether any did. No best-fit look-alikes: a path must not turn into another one.
std::string AnsiFromWide(const std::wstring& text, bool* lossy = nullptr);

}  // namespace platform
