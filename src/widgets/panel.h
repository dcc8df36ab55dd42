#pragma once
// A plain panel in the button-face colour that hosts controls and graphic buttons. Notifications
// of its child controls go on to its parent, so the form handles them in one place.
#include "widgets/graphic_button.h"
#include "widgets/window.h"

#include <vector>

namespace widgets {

class Panel : public Window {
public:
    Panel(HWND parent, const RECT& place, UINT_PTR id);
    void AddButton(GraphicButton& button) { buttons_.push_back(&button); }
    void SetFont(HFONT font) noexcept { font_ = font; }
    void InvalidateButton(const GraphicButton& button);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void MouseDown(POINT at);
    void MouseMove(POINT at);
    void MouseUp(POINT at);

    std::vector<GraphicButton*> buttons_;
    HFONT font_ = nullptr;
};

}  // namespace widgets
