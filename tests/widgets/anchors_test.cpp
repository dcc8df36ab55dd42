#include "widgets/anchors.h"
#include "widgets/splitter.h"

#include <gtest/gtest.h>

namespace {

using widgets::AnchoredRect;

bool Same(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

TEST(AnchoredRect, TopLeftKeepsPlaceAndSize) {
    RECT r = AnchoredRect({10, 20, 60, 40}, {200, 100}, {500, 300}, widgets::kAnchorTopLeft);
    EXPECT_TRUE(Same(r, {10, 20, 60, 40}));
}

TEST(AnchoredRect, LeftAndRightStretchWithTheParent) {
    RECT r = AnchoredRect({10, 20, 190, 40}, {200, 100}, {350, 100}, widgets::kAnchorTopLeftRight);
    EXPECT_TRUE(Same(r, {10, 20, 340, 40}));
    // Narrower than designed: the distance to the right edge is still kept.
    r = AnchoredRect({10, 20, 190, 40}, {200, 100}, {150, 100}, widgets::kAnchorTopLeftRight);
    EXPECT_TRUE(Same(r, {10, 20, 140, 40}));
}

TEST(AnchoredRect, RightOnlyMovesAlongAndKeepsTheSize) {
    RECT r = AnchoredRect({150, 5, 190, 25}, {200, 100}, {260, 180}, widgets::kAnchorTopRight);
    EXPECT_TRUE(Same(r, {210, 5, 250, 25}));
}

TEST(AnchoredRect, BottomAnchoredFollowsTheHeight) {
    RECT r = AnchoredRect({0, 80, 200, 100}, {200, 100}, {200, 160}, widgets::kAnchorLeft | widgets::kAnchorBottom);
    EXPECT_TRUE(Same(r, {0, 140, 200, 160}));
    r = AnchoredRect({0, 10, 200, 90}, {200, 100}, {200, 160},
                     widgets::kAnchorLeft | widgets::kAnchorTop | widgets::kAnchorBottom);
    EXPECT_TRUE(Same(r, {0, 10, 200, 150}));
}

TEST(AnchoredRect, UnanchoredKeepsItsCentreInProportion) {
    // Centred at 100 of 200; at 400 wide the centre goes to 200, the size stays.
    RECT r = AnchoredRect({80, 10, 120, 30}, {200, 100}, {400, 100}, widgets::kAnchorTop);
    EXPECT_TRUE(Same(r, {180, 10, 220, 30}));
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
