#pragma once
// The message dialog's layout as arithmetic on measured sizes: no window is needed.
#include <windows.h>

#include <vector>

namespace dialogs {

inline constexpr int kIconSize = 32;

struct MessageMeasures {
    SIZE dialogUnits{};     // X: width of "A".."Z""a".."z" div 52; Y: their height
    SIZE text{};            // the message laid out word-wrapped (W, H)
    bool hasIcon = false;
    int iconSize = kIconSize;  // its side: 32 at 96 dpi, scaled for the dialog's dpi
    int buttonCount = 0;
    int widestCaption = 0;  // widest caption of the set, measured on one line
    bool rightToLeft = false;
};

struct MessageSpacing {
    int horizontalMargin, verticalMargin;
    int horizontalSpacing, verticalSpacing;
    int buttonWidth, buttonHeight, buttonSpacing;
};

struct MessageLayout {
    SIZE client{};
    RECT icon{};      // empty without an icon
    RECT message{};
    std::vector<RECT> buttons;  // in row order
};

// The margins, spacings and button size for the dialog units and the widest caption.
MessageSpacing SpacingFor(SIZE dialogUnits, int widestCaption);

MessageLayout LayoutMessageDialog(const MessageMeasures& measures);

// Where the dialog is put when it is built: screen width div 2 - window width div 2 (and so
// for the height).
POINT PlaceOnScreen(SIZE screen, SIZE window);

}  // namespace dialogs
