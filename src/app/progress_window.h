#pragma once
// What the replace commands ask of the progress window: to appear and to go again. The form
// holds it by this interface so that the commands can be driven in tests without the animation.
namespace app {

class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
};

// Shows the progress window for the time of a command, and hides it however the command ends:
// a window saying "please wait" while nothing runs would tell the user something false.
class ProgressShown {
public:
    explicit ProgressShown(ProgressWindow& window) : window_(window) { window_.Show(); }
    ~ProgressShown() { window_.Hide(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    ProgressWindow& window_;
};

}  // namespace app
