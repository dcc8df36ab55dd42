#include "dialogs/error_text.h"

namespace dialogs {

std::wstring WithFullStop(const std::wstring& message) {
    if (message.empty() || message.back() <= L'.') return message;
    return message + L".";
}

std::wstring LastChanceText(const std::string& className, const std::wstring& moduleName,
                            const std::wstring& message) {
    // Where it happened is not known by the time the box is shown.
    const std::wstring location = L"0000000000000000";
    const std::wstring stop = (!message.empty() && message.back() != L'.') ? L"." : L"";
    return L"Exception " + std::wstring(className.begin(), className.end()) + L" in module " + moduleName + L" at " +
           location + L".\r\n" + message + stop + L"\r\n";
}

}  // namespace dialogs
