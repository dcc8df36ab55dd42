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

}  // namespace app
