#include "widgets/graphic_button.h"

#include "widgets/gdi.h"

namespace widgets {

GraphicButton::GraphicButton(std::string caption, platform::UniqueHBitmap picture)
    : caption_(std::move(caption)), picture_(std::move(picture)) {}

void GraphicButton::Paint(HDC dc, HFONT font) const {
    RECT r = place_;
    ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0));
    int shift = pressed_ ? 1 : 0;

    SelectScope selectFont(dc, font);
    SIZE text{};
    ::GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
    constexpr int kPicture = 16, kSpacing = 4;
    int contentWidth = (picture_ ? kPicture + kSpacing : 0) + text.cx;
    int x = r.left + (r.right - r.left - contentWidth) / 2 + shift;
    int middle = (r.top + r.bottom) / 2 + shift;

    if (picture_) {
        HDC memory = ::CreateCompatibleDC(dc);
        {
            SelectScope selectPicture(memory, picture_.get());
            // The picture's bottom-left pixel is its transparent colour.
            COLORREF transparent = ::GetPixel(memory, 0, kPicture - 1);
            ::TransparentBlt(dc, x, middle - kPicture / 2, kPicture, kPicture, memory, 0, 0, kPicture, kPicture,
                             transparent);
        }
        ::DeleteDC(memory);
        x += kPicture + kSpacing;
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    RECT textRect{x, r.top, x + text.cx, r.bottom};
    ::OffsetRect(&textRect, 0, shift);
    ::DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

bool GraphicButton::MouseDown(POINT at) {
    if (!::PtInRect(&place_, at)) return false;
    held_ = pressed_ = true;
    return true;
}

bool GraphicButton::MouseMove(POINT at) {
    if (!held_) return false;
    bool over = ::PtInRect(&place_, at) != FALSE;
    bool changed = over != pressed_;
    pressed_ = over;
    return changed;
}

bool GraphicButton::MouseUp(POINT at) {
    if (!held_) return false;
    held_ = pressed_ = false;
    return ::PtInRect(&place_, at) != FALSE;
}

}  // namespace widgets
