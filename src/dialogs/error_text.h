#pragma once
// The texts the error boxes show, as pure functions.
#include <string>

namespace platform {
class CodePage;
}

namespace dialogs {

// The error box's rule: a full stop goes after a last character whose code is above the full
// stop's own (a letter, a digit, "?", ":"), and after nothing else.
std::string WithFullStop(const std::string& message, platform::CodePage& codePage);

// "Exception <class> in module <module> at <address>.\r\n<message><full stop>\r\n"
std::string LastChanceText(const std::string& className, const std::string& moduleName, const void* address,
                           const std::string& message);

}  // namespace dialogs
