#pragma once
// The progress window: a small stay-on-top tool window that plays the shell's find-file clip
// while the replace commands work. Built hidden at start-up, with the clip already playing.
#include "app/progress_window.h"
#include "platform/unique_handle.h"
#include "widgets/window.h"

namespace app {

// The shell's find-file clip: resource 151 of type "AVI" in shell32.
constexpr const char* kClipModule = "shell32.dll";
constexpr int kFindFileClip = 151;

class TfrmSearchSplash : public widgets::Window, public ProgressWindow {
public:
    // Owned by the application's main window. Throws "Cannot open AVI" when the module or its
    // clip cannot be opened.
    explicit TfrmSearchSplash(const char* clipModule = kClipModule, int clip = kFindFileClip);
    ~TfrmSearchSplash() override;

    // Visible, in front and active; centred on the main window the first time only.
    void Show() override;
    // Invisible; when it was active, the program's next window takes the activation.
    void Hide() override;

    HWND Animate1() const noexcept { return animate_; }
    HWND Label1() const noexcept { return label_; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Font, children and size for the dpi of the window's display.
    void Arrange(int dpi);
    LRESULT OnDpiChanged(WPARAM dpi, const RECT& suggested);
    void OpenClip(int clip);
    void PlaceFirstTime();
    LRESULT OnDestroy();
    LRESULT OnActivateApp(WPARAM active, LPARAM thread);

    // The module goes last: the clip plays from it until the window is gone.
    platform::UniqueModule clipModule_;
    platform::UniqueHFont font_;
    HWND animate_ = nullptr;
    HWND label_ = nullptr;
    bool placed_ = false;
    int dpi_ = 0;  // the one its font and sizes are for
};

}  // namespace app
