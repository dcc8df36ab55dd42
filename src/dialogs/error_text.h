#pragma once
// The texts the error boxes show, as pure functions.
#include <string>

namespace dialogs {

// The error box's rule: a full stop goes after a last character whose code is above the full
// stop's own (a letter, a digit, "?", ":"), and after nothing else.
std::wstring WithFullStop(const std::wstring& message);

// "Exception <class> in module <module> at <address>.\r\n<message><full stop>\r\n"
std::wstring LastChanceText(const std::string& className, const std::wstring& moduleName,
                            const std::wstring& message);

}  // namespace dialogs
