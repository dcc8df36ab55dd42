#include "dialogs/error_text.h"

#include "platform/code_page.h"

#include <cstdio>

namespace dialogs {

std::string WithFullStop(const std::string& message, platform::CodePage& codePage) {
    if (message.empty()) return message;
    // A two-byte character's code is above 0x2E.
    const size_t last = platform::LastCharacterStart(codePage, message);
    bool twoByte = last + 1 < message.size();
    bool needsStop = twoByte || static_cast<unsigned char>(message[last]) > '.';
    return needsStop ? message + "." : message;
}

std::string LastChanceText(const std::string& className, const std::string& moduleName, const void* address,
                           const std::string& message) {
    char location[64];
    std::snprintf(location, sizeof location, "%p", address);
    std::string stop = (!message.empty() && message.back() != '.') ? "." : "";
    return "Exception " + className + " in module " + moduleName + " at " + location + ".\r\n" + message + stop +
           "\r\n";
}

}  // namespace dialogs
