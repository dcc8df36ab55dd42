#pragma once
// The application object: its title, the main message loop and the message pump that long
// commands run between steps.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace widgets {

class ApplicationWindow;

class Application {
public:
    explicit Application(std::string title);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    static Application* Current() noexcept { return current_; }
    // The current application's title, empty when there is none.
    static std::string CurrentTitle();
    // The current application's main window while it exists, else null.
    static HWND LiveMainWindow() noexcept;

    const std::string& Title() const noexcept { return title_; }
    // The application's own window, never seen: it carries the program's task-bar button under
    // the title, and owns the main window, whose caption differs.
    HWND Handle() const noexcept;
    // Puts the button on the task bar; done when the main window first shows.
    void ShowTaskBarButton() noexcept;
    // Minimises the application's window, which takes the main window and its own windows out
    // of sight; restoring it from its button brings them back.
    void Minimize() noexcept;
    // The first top-level window created; the owner of every other window of the program.
    HWND MainWindow() const noexcept { return mainWindow_; }
    void SetMainWindow(HWND window) noexcept { mainWindow_ = window; }

    // Where the loop takes its messages from: GetMessageA's shape, -1 for a failure.
    using MessageSource = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);
    // Takes messages one at a time until the program is asked to end; each one is guarded. A
    // source that fails ends the loop with the program's error naming the system's reason.
    int Run(MessageSource getMessage = ::GetMessageA);
    // Handles every waiting message and returns when none is left. A request to end the program
    // met here is only noted; Run ends when control is back in it.
    void ProcessMessages();
    // Windows that stay on top of every other window. While a modal box is open, or another
    // program is the active one, they are ordinary windows just above the main window instead,
    // so that they never cover a question.
    void AddStayOnTop(HWND window);
    void RemoveStayOnTop(HWND window) noexcept;
    // Called by every modal box when it opens and when it closes; boxes may nest.
    void NormalizeTopmosts() noexcept;
    void RestoreTopmosts() noexcept;
    // Called with WM_ACTIVATEAPP's flag: this program became active (true) or another did.
    void SetActive(bool active) noexcept;

    // A key the main window takes before the control it was typed into: given every key-down the
    // loop and the pump take, true when it took it.
    std::function<bool(const MSG&)> TakeShortcut;

    // Ends the program once the running handler returns to the main loop; the task-bar button
    // goes at once.
    void Terminate() noexcept;
    bool Terminated() const noexcept { return terminated_; }

private:
    void HandleMessage(MSG& msg);
    void PlaceStayOnTop(HWND window) const noexcept;

    std::vector<HWND> stayOnTop_;
    int modalBoxes_ = 0;
    bool inactive_ = false;

    static Application* current_;
    std::string title_;
    std::unique_ptr<ApplicationWindow> window_;
    HWND mainWindow_ = nullptr;
    bool terminated_ = false;
    int exitCode_ = 0;
};

}  // namespace widgets
