#include "dialogs/message_layout.h"

#include <algorithm>

namespace dialogs {

namespace {
RECT At(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

// The left edge that a box has once the client area is read from the right.
int Mirrored(int clientWidth, int left, int width) { return clientWidth - left - width; }
}  // namespace

MessageSpacing SpacingFor(SIZE dialogUnits, int widestCaption) {
    const int x = dialogUnits.cx, y = dialogUnits.cy;
    MessageSpacing s{};
    s.horizontalMargin = ::MulDiv(8, x, 4);
    s.verticalMargin = ::MulDiv(8, y, 8);
    s.horizontalSpacing = ::MulDiv(10, x, 4);
    s.verticalSpacing = ::MulDiv(10, y, 8);
    s.buttonWidth = std::max(::MulDiv(50, x, 4), widestCaption + 8);
    s.buttonHeight = ::MulDiv(14, y, 8);
    s.buttonSpacing = ::MulDiv(4, x, 4);
    return s;
}

MessageLayout LayoutMessageDialog(const MessageMeasures& m) {
    const MessageSpacing s = SpacingFor(m.dialogUnits, m.widestCaption);
    const int w = m.text.cx, h = m.text.cy, icon = m.iconSize;
    const int iconTextWidth = m.hasIcon ? w + icon + s.horizontalSpacing : w;
    const int iconTextHeight = m.hasIcon ? std::max(h, icon) : h;
    const int n = m.buttonCount;
    const int row = n > 0 ? n * s.buttonWidth + (n - 1) * s.buttonSpacing : 0;

    MessageLayout layout;
    layout.client.cx = std::max(iconTextWidth, row) + 2 * s.horizontalMargin;
    layout.client.cy = iconTextHeight + s.buttonHeight + s.verticalSpacing + 2 * s.verticalMargin;
    const int clientWidth = layout.client.cx;

    int messageLeft = iconTextWidth - w + s.horizontalMargin;
    int iconLeft = s.horizontalMargin;
    if (m.rightToLeft) {
        messageLeft = Mirrored(clientWidth, messageLeft, w);
        // The icon goes to the other side as well, or the text would be drawn over it.
        iconLeft = Mirrored(clientWidth, iconLeft, icon);
    }
    if (m.hasIcon) layout.icon = At(iconLeft, s.verticalMargin, icon, icon);
    layout.message = At(messageLeft, s.verticalMargin, w, h);

    int x = (clientWidth - row) / 2;
    const int y = iconTextHeight + s.verticalMargin + s.verticalSpacing;
    for (int i = 0; i < n; ++i) {
        layout.buttons.push_back(At(x, y, s.buttonWidth, s.buttonHeight));
        x += s.buttonWidth + s.buttonSpacing;
    }
    return layout;
}

POINT PlaceOnScreen(SIZE screen, SIZE window) {
    return POINT{screen.cx / 2 - window.cx / 2, screen.cy / 2 - window.cy / 2};
}

}  // namespace dialogs
