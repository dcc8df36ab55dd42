#include "widgets/anchors.h"
#include "widgets/dpi.h"
#include "widgets/splitter.h"

#include <gtest/gtest.h>

namespace {

bool Same(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

TEST(AnchoredRect, EachAnchoredSideKeepsItsDistance) {
    using namespace widgets;
    struct Case {
        RECT design;
        SIZE designParent, parent;
        unsigned anchors;
        RECT expected;
    };
    const Case cases[] = {
        {{10, 20, 60, 40}, {200, 100}, {500, 300}, kAnchorTopLeft, {10, 20, 60, 40}},
        {{10, 20, 190, 40}, {200, 100}, {350, 100}, kAnchorTopLeftRight, {10, 20, 340, 40}},
        // Narrower than designed: the distance to the right edge is still kept.
        {{10, 20, 190, 40}, {200, 100}, {150, 100}, kAnchorTopLeftRight, {10, 20, 140, 40}},
        // One side only: it moves along and keeps the size.
        {{150, 5, 190, 25}, {200, 100}, {260, 180}, kAnchorTopRight, {210, 5, 250, 25}},
        {{0, 80, 200, 100}, {200, 100}, {200, 160}, kAnchorLeft | kAnchorBottom, {0, 140, 200, 160}},
        {{0, 10, 200, 90}, {200, 100}, {200, 160}, kAnchorLeft | kAnchorTop | kAnchorBottom, {0, 10, 200, 150}},
        // None: centred at 100 of 200, at 400 wide the centre goes to 200 and the size stays.
        {{80, 10, 120, 30}, {200, 100}, {400, 100}, kAnchorTop, {180, 10, 220, 30}},
    };
    for (const Case& c : cases) {
        const RECT r = AnchoredRect(c.design, c.designParent, c.parent, c.anchors);
        EXPECT_TRUE(Same(r, c.expected)) << c.design.left << "," << c.design.top << " anchors " << c.anchors << ": "
                                         << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(Scale, RoundsToTheNearestPixel) {
    EXPECT_EQ(widgets::Scale(100, 96), 100);
    EXPECT_EQ(widgets::Scale(3, 144), 5);  // 4.5
    EXPECT_EQ(widgets::Scale(119, 144), 179);
    EXPECT_EQ(widgets::Scale(11, 120), 14);  // 13.75
    EXPECT_TRUE(Same(widgets::ScaleRect({2, 4, 6, 8}, 192), {4, 8, 12, 16}));
}

TEST(SplitterClampedWidth, FollowsTheMouseWithinTheLimits) {
    using widgets::Splitter;
    EXPECT_EQ(Splitter::ClampedWidth(120, 0, 50, 250), 120);
    EXPECT_EQ(Splitter::ClampedWidth(50, 0, 50, 250), 50);
    EXPECT_EQ(Splitter::ClampedWidth(49, 0, 50, 250), 50);
    EXPECT_EQ(Splitter::ClampedWidth(-300, 0, 50, 250), 50);
    EXPECT_EQ(Splitter::ClampedWidth(250, 0, 50, 250), 250);
    EXPECT_EQ(Splitter::ClampedWidth(900, 0, 50, 250), 250);
    // Measured from the controlled window's left edge, not the parent's.
    EXPECT_EQ(Splitter::ClampedWidth(120, 30, 50, 250), 90);
    EXPECT_EQ(Splitter::ClampedWidth(60, 30, 50, 250), 50);
}

}  // namespace
