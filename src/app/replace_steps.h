#pragma once
// Small steps the two replace commands share: telling, asking, pumping.
#include <string>

namespace app {

class TForm1;

// An information box with the one button OK.
void Inform(const std::wstring& text);
// A confirmation box with OK and Cancel; true only for OK.
bool ConfirmedWithOK(const std::wstring& text);
// The application's message pump: handles every waiting message.
void PumpMessages();
// False once the main window is destroyed, its controls with it; the program is then ending.
bool FormAlive(const TForm1& form);

}  // namespace app
