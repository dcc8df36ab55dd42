#pragma once
// One run of the real program, driven from another process as a person would drive it: found by
// its caption, typed into, clicked, its message boxes answered, closed through its close box.
#include "platform/path.h"

#include <windows.h>

#include <string>

namespace e2e {

class ProgramSession {
public:
    // Starts `program` in `folder` and waits for its main window to show.
    ProgramSession(const platform::Path& program, const platform::Path& folder, int seconds);
    ~ProgramSession();
    ProgramSession(const ProgramSession&) = delete;
    ProgramSession& operator=(const ProgramSession&) = delete;

    HWND MainWindow() const noexcept { return window_; }
    // A control of the main window or of its panel by its place in the form's control table.
    HWND Control(int index) const;

    // Keys as the keyboard delivers them to a control. `Type` first gives the control the focus
    // with a click, then delivers each character.
    void Type(HWND control, const std::string& text) const;
    void Key(HWND control, UINT virtualKey, bool alt = false) const;
    // A left click at a point of `window`'s client area.
    void Click(HWND window, POINT at) const;

    // Waits for a visible message box of the program whose caption is `caption`; empty when none
    // came in time. `text` receives its message.
    HWND WaitForBox(const std::string& caption, std::string* text, int seconds) const;
    // Enter to the box's focused button, as the keyboard would; waits until the box is gone.
    bool AnswerWithEnter(HWND box, int seconds) const;
    // Waits until `done` holds or the time runs out.
    template <typename Done>
    bool WaitUntil(Done done, int seconds) const {
        for (int i = 0; i < seconds * 20; ++i) {
            if (done()) return true;
            ::Sleep(50);
        }
        return done();
    }

    // The main window as it is on the screen, saved as a BMP; false when it could not be.
    bool Photograph(const std::string& bmp) const;

    // The close box; true when the program then ends with exit code 0.
    bool CloseAndCheckExit(int seconds);
    // Ends the program at once, as a crash or a power cut would.
    void Kill();

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace e2e
