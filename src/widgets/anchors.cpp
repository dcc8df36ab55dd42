#include "widgets/anchors.h"

namespace widgets {

namespace {
void PlaceAxis(LONG& low, LONG& high, LONG designSize, LONG size, bool lowAnchored, bool highAnchored) {
    LONG delta = size - designSize;
    if (highAnchored && lowAnchored) {
        high += delta;
    } else if (highAnchored) {
        low += delta;
        high += delta;
    } else if (!lowAnchored) {
        // Neither side anchored: keep the centre where it was in proportion.
        LONG width = high - low;
        LONG centre = designSize > 0 ? MulDiv(low + width / 2, size, designSize) : low + width / 2;
        low = centre - width / 2;
        high = low + width;
    }
}
}  // namespace

RECT AnchoredRect(const RECT& design, SIZE designParent, SIZE parent, unsigned anchors) noexcept {
    RECT r = design;
    PlaceAxis(r.left, r.right, designParent.cx, parent.cx, anchors & kAnchorLeft, anchors & kAnchorRight);
    PlaceAxis(r.top, r.bottom, designParent.cy, parent.cy, anchors & kAnchorTop, anchors & kAnchorBottom);
    return r;
}

}  // namespace widgets
