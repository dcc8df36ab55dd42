#pragma once
// Every notice and question the program puts to the user.
#include "dialogs/message_codes.h"
#include "dialogs/message_form.h"

#include <memory>
#include <string>

namespace dialogs {

// The dialog built and laid out, centred on the screen, not shown.
std::unique_ptr<TMessageForm> BuildMessageDialog(const std::wstring& text, MessageKind kind, ButtonSet buttons);

// Shows the dialog modally and returns the answer's result code: the pressed button's, or
// result::Cancel for the close box, Alt+F4, or a request to end the program (also when one was
// noted before the call, which then shows nothing).
int ShowMessageDialog(const std::wstring& text, MessageKind kind, ButtonSet buttons);

}  // namespace dialogs
