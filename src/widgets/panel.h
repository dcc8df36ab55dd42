#pragma once
// A plain panel in the button-face colour that hosts controls and graphic buttons. Notifications
// of its child controls go on to its parent, so the form handles them in one place. A screen
// reader finds the graphic buttons through the panel's accessible object.
#include "widgets/button_panel_accessible.h"
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
    const std::vector<GraphicButton*>& Buttons() const noexcept { return buttons_; }
    // Clicks button `index` from the next message pump, as the mouse would; false when it cannot
    // be posted.
    bool PressLater(size_t index) noexcept;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void MouseDown(POINT at);
    void MouseMove(POINT at);
    void MouseUp(POINT at);
    void Press(size_t index);
    LRESULT OnGetObject(WPARAM flags, LPARAM objectId);

    std::vector<GraphicButton*> buttons_;
    HFONT font_ = nullptr;
    ConnectedAccessible accessible_;
};

}  // namespace widgets
