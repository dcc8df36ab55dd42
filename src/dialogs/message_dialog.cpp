#include "dialogs/message_dialog.h"

#include "widgets/application.h"

namespace dialogs {

std::unique_ptr<TMessageForm> BuildMessageDialog(const std::wstring& text, MessageKind kind, ButtonSet buttons) {
    return std::make_unique<TMessageForm>(text, kind, buttons);
}

int ShowMessageDialog(const std::wstring& text, MessageKind kind, ButtonSet buttons) {
    if (auto* application = widgets::Application::Current(); application && application->Terminated())
        return result::Cancel;
    return BuildMessageDialog(text, kind, buttons)->ShowModal();
}

}  // namespace dialogs
