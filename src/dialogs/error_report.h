#pragma once
// How failures reach the user: the error box for the program's own errors, and the last-chance
// box for an error that escapes before the message loop runs.
#include <windows.h>

#include <string>

namespace dialogs {

// Shows the error being handled (call from inside a catch block); the program goes on.
void ReportError(HWND window) noexcept;

// The error box: the message with the full-stop rule, the application title, the stop icon.
void ShowErrorBox(const std::wstring& message);

// Shows the error being handled in the last-chance box; returns the exit code, 1.
int ShowLastChanceBox() noexcept;

}  // namespace dialogs
