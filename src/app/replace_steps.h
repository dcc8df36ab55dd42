#pragma once
// Small steps the two replace commands share: telling, asking, pumping.
#include <windows.h>

#include <string>

namespace app {

class TForm1;

// An information box with the one button OK.
void Inform(const std::wstring& text);
// A confirmation box with OK and Cancel; true only for OK.
bool ConfirmedWithOK(const std::wstring& text);
// The application's message pump: handles every waiting message.
void PumpMessages();
// The message pump now and then: under Wine each look at the queue is a call to the Wine server,
// some 40 us, which a run over thousands of small files would otherwise make for every file.
class PacedPump {
public:
    static constexpr DWORD kEvery = 10;  // milliseconds
    // Pumps the first time, then once kEvery has passed since the last pump.
    void Now();
    // How many times it has pumped: what the user did can reach the window only then.
    unsigned Pumps() const noexcept { return pumps_; }

private:
    DWORD last_ = ::GetTickCount() - kEvery;
    unsigned pumps_ = 0;
};
// False once the main window is destroyed, its controls with it; the program is then ending.
bool FormAlive(const TForm1& form);

}  // namespace app
