#pragma once
// A window's text read whole. The ANSI flavour keeps the bytes of the ANSI code page, as the
// search and replacement edits must; the wide one keeps every character.
#include <windows.h>

#include <string>

namespace widgets {

std::string AnsiWindowText(HWND window);
std::wstring WideWindowText(HWND window);

}  // namespace widgets
