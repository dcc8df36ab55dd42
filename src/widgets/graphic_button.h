#pragma once
// A push button with a small picture that has no window of its own: its parent draws it and
// feeds it the mouse, so it never takes the keyboard focus and has no access key.
#include "platform/unique_handle.h"

#include <functional>
#include <string>

namespace widgets {

class GraphicButton {
public:
    GraphicButton(std::string caption, platform::UniqueHBitmap picture);

    const RECT& Place() const noexcept { return place_; }
    void SetPlace(const RECT& place) noexcept { place_ = place; }
    const std::string& Caption() const noexcept { return caption_; }
    // What the button does, in a sentence: its tooltip, and what a screen reader reads after the name.
    const std::string& Hint() const noexcept { return hint_; }
    void SetHint(std::string hint) { hint_ = std::move(hint); }
    // A square picture, drawn at its own size left of the caption (for the screen's dpi).
    void SetPicture(platform::UniqueHBitmap picture) noexcept { picture_ = std::move(picture); }
    int PictureSize() const noexcept;

    void Paint(HDC dc, HFONT font) const;
    // Mouse input in the parent's client coordinates; returns true when the button took it.
    // The parent captures the mouse while the button is held down.
    bool MouseDown(POINT at);
    bool MouseMove(POINT at);
    // True when the release completes a click (pressed and released over the button).
    bool MouseUp(POINT at);
    void CancelPress() noexcept { held_ = pressed_ = false; }
    bool Held() const noexcept { return held_; }
    bool Pressed() const noexcept { return pressed_; }

    std::function<void()> OnClick;

private:
    std::string caption_;
    std::string hint_;
    platform::UniqueHBitmap picture_;
    RECT place_{};
    bool held_ = false;     // the mouse went down on the button and is still down
    bool pressed_ = false;  // held and over the button: drawn pushed in
};

}  // namespace widgets
