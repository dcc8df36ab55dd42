#pragma once
// Anchored placement: where a control goes when its parent's size changes.
#include <windows.h>

namespace widgets {

enum Anchor : unsigned { kAnchorLeft = 1, kAnchorTop = 2, kAnchorRight = 4, kAnchorBottom = 8 };
constexpr unsigned kAnchorTopLeft = kAnchorLeft | kAnchorTop;
constexpr unsigned kAnchorTopRight = kAnchorTop | kAnchorRight;
constexpr unsigned kAnchorTopLeftRight = kAnchorLeft | kAnchorTop | kAnchorRight;

// `design` is the control's rectangle in a parent whose client size was `designParent`;
// both anchored sides keep their distance, a single anchored side keeps it and the size.
RECT AnchoredRect(const RECT& design, SIZE designParent, SIZE parent, unsigned anchors) noexcept;

}  // namespace widgets
