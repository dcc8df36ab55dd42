#pragma once
// Errors that reach a window's guard, kept instead of shown in a box, so that a test that goes
// wrong fails instead of waiting for a box nobody answers:
//   widgets::SetErrorHandler(test_support::RecordError);
#include <windows.h>

#include <string>
#include <vector>

namespace test_support {

// The texts of the errors recorded so far; a test clears it before it records.
std::vector<std::string>& RecordedErrors();
// An error handler for widgets::SetErrorHandler; called inside the catch block.
void RecordError(HWND window) noexcept;

}  // namespace test_support
