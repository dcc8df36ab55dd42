#include "app/replace_steps.h"

#include "app/main_form.h"
#include "dialogs/message_dialog.h"
#include "widgets/application.h"

namespace app {

void Inform(const std::wstring& text) {
    dialogs::ShowMessageDialog(text, dialogs::MessageKind::Information, dialogs::button::OK);
}

bool ConfirmedWithOK(const std::wstring& text) {
    return dialogs::ShowMessageDialog(text, dialogs::MessageKind::Confirmation,
                                      dialogs::button::OK | dialogs::button::Cancel) == dialogs::result::OK;
}

void PumpMessages() {
    if (auto* application = widgets::Application::Current()) application->ProcessMessages();
}

void PacedPump::Now() {
    const DWORD now = ::GetTickCount();
    if (now - last_ < kEvery) return;
    last_ = now;
    ++pumps_;
    PumpMessages();
}

bool FormAlive(const TForm1& form) { return ::IsWindow(form.Handle()) != FALSE; }

}  // namespace app
