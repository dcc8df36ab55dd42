#include "widgets/graphic_button.h"

#include "widgets/gdi.h"

namespace widgets {

GraphicButton::GraphicButton(std::string caption, platform::UniqueHBitmap picture)
    : caption_(std::move(caption)), picture_(std::move(picture)) {}

int GraphicButton::PictureSize() const noexcept {
    BITMAP info{};
    return picture_ && ::GetObjectA(picture_.get(), sizeof info, &info) ? info.bmWidth : 0;
}

void GraphicButton::Paint(HDC dc, HFONT font) const {
    RECT r = place_;
    ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0));
    int shift = pressed_ ? 1 : 0;

    SelectScope selectFont(dc, font);
    SIZE text{};
    ::GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
    // The gap beside the picture grows with it: 4 pixels beside 16 at 96 dpi.
    const int picture = PictureSize(), spacing = picture / 4;
    int contentWidth = (picture_ ? picture + spacing : 0) + text.cx;
    int x = r.left + (r.right - r.left - contentWidth) / 2 + shift;
    int middle = (r.top + r.bottom) / 2 + shift;

    if (picture_) {
        HDC memory = ::CreateCompatibleDC(dc);
        {
            SelectScope selectPicture(memory, picture_.get());
            // The picture's bottom-left pixel is its transparent colour.
            COLORREF transparent = ::GetPixel(memory, 0, picture - 1);
            ::TransparentBlt(dc, x, middle - picture / 2, picture, picture, memory, 0, 0, picture, picture,
                             transparent);
        }
        ::DeleteDC(memory);
        x += picture + spacing;
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
