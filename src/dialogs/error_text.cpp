#include "dialogs/error_text.h"

#include "platform/code_page.h"

#include <cstdio>

namespace dialogs {

std::string WithFullStop(const std::string& message, platform::CodePage& codePage) {
    if (message.empty()) return message;
    // Find where the last whole character starts; a two-byte character's code is above 0x2E.
    size_t last = 0;
    for (size_t i = 0; i < message.size();) {
        last = i;
        i += (codePage.IsLeadByte(static_cast<unsigned char>(message[i])) && i + 1 < message.size()) ? 2 : 1;
    }
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
