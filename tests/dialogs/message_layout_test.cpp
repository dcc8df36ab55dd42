#include "dialogs/message_layout.h"
#include "widgets/display.h"

#include <gtest/gtest.h>

using namespace dialogs;

namespace {

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT Box(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

// Dialog units of 6 x 13: margins 12 and 13, spacings 15 and 16, buttons 75 x 23, 6 apart.
MessageMeasures Measures(SIZE text, bool icon, int buttons, int widestCaption = 20) {
    MessageMeasures m;
    m.dialogUnits = SIZE{6, 13};
    m.text = text;
    m.hasIcon = icon;
    m.buttonCount = buttons;
    m.widestCaption = widestCaption;
    return m;
}

}  // namespace

TEST(MessageSpacing, RoundsLikeMulDivToTheNearest) {
    MessageSpacing s = SpacingFor(SIZE{5, 15}, 0);
    EXPECT_EQ(s.horizontalMargin, 10);
    EXPECT_EQ(s.verticalMargin, 15);
    EXPECT_EQ(s.horizontalSpacing, 13);  // 12.5
    EXPECT_EQ(s.verticalSpacing, 19);    // 18.75
    EXPECT_EQ(s.buttonWidth, 63);        // 62.5
    EXPECT_EQ(s.buttonHeight, 26);       // 26.25
    EXPECT_EQ(s.buttonSpacing, 5);
}

TEST(MessageSpacing, ButtonWidthIsRaisedToTheWidestCaptionPlusEight) {
    EXPECT_EQ(SpacingFor(SIZE{6, 13}, 67).buttonWidth, 75);
    EXPECT_EQ(SpacingFor(SIZE{6, 13}, 68).buttonWidth, 76);
    EXPECT_EQ(SpacingFor(SIZE{6, 13}, 70).buttonWidth, 78);
}

TEST(MessageLayout, InformationBoxWithOneButton) {
    MessageLayout l = LayoutMessageDialog(Measures(SIZE{200, 13}, true, 1));
    EXPECT_EQ(l.client.cx, 271);  // 200 + 32 + 15, and the margins
    EXPECT_EQ(l.client.cy, 97);   // the icon's 32, the button, the spacing and the margins
    EXPECT_TRUE(l.icon == Box(12, 13, 32, 32));
    EXPECT_TRUE(l.message == Box(59, 13, 200, 13));
    ASSERT_EQ(l.buttons.size(), 1u);
    EXPECT_TRUE(l.buttons[0] == Box(98, 61, 75, 23));
}

TEST(MessageLayout, ButtonRowWiderThanTheTextSetsTheWidth) {
    MessageLayout l = LayoutMessageDialog(Measures(SIZE{100, 39}, true, 2));
    EXPECT_EQ(l.client.cx, 180);  // the row, 2 x 75 + 6, and the margins
    EXPECT_EQ(l.client.cy, 39 + 23 + 16 + 26);
    EXPECT_TRUE(l.message == Box(59, 13, 100, 39));
    ASSERT_EQ(l.buttons.size(), 2u);
    EXPECT_TRUE(l.buttons[0] == Box(12, 39 + 13 + 16, 75, 23));
    EXPECT_TRUE(l.buttons[1] == Box(93, 39 + 13 + 16, 75, 23));
}

TEST(MessageLayout, WithoutIconTheTextStandsAtTheMargin) {
    MessageLayout l = LayoutMessageDialog(Measures(SIZE{100, 26}, false, 1));
    EXPECT_TRUE(l.icon == RECT{});
    EXPECT_EQ(l.client.cx, 124);
    EXPECT_EQ(l.client.cy, 26 + 23 + 16 + 26);
    EXPECT_TRUE(l.message == Box(12, 13, 100, 26));
    ASSERT_EQ(l.buttons.size(), 1u);
    EXPECT_TRUE(l.buttons[0] == Box(24, 55, 75, 23));  // (124 - 75) div 2
}

TEST(MessageLayout, WideCaptionsWidenEveryButtonOfTheRow) {
    MessageLayout l = LayoutMessageDialog(Measures(SIZE{100, 13}, true, 3, 90));
    ASSERT_EQ(l.buttons.size(), 3u);
    for (const RECT& b : l.buttons) EXPECT_EQ(b.right - b.left, 98);
    EXPECT_EQ(l.client.cx, 3 * 98 + 2 * 6 + 24);
    EXPECT_EQ(l.buttons[2].left - l.buttons[1].left, 98 + 6);
}

TEST(MessageLayout, NoButtonsMakeARowOfNothing) {
    MessageLayout l = LayoutMessageDialog(Measures(SIZE{40, 13}, true, 0));
    EXPECT_TRUE(l.buttons.empty());
    EXPECT_EQ(l.client.cx, 40 + 32 + 15 + 24);
    EXPECT_EQ(l.client.cy, 32 + 23 + 16 + 26);
}

TEST(MessageLayout, LongPathWithoutSpacesWidensTheDialogToThePath) {
    // The measured text is as wide as the path, beyond half of a 1280-pixel screen.
    MessageLayout l = LayoutMessageDialog(Measures(SIZE{900, 39}, true, 2));
    EXPECT_EQ(l.message.right - l.message.left, 900);
    EXPECT_EQ(l.client.cx, 900 + 32 + 15 + 24);
    ASSERT_EQ(l.buttons.size(), 2u);
    EXPECT_EQ(l.buttons[0].left, (l.client.cx - 156) / 2);
}

TEST(MessageLayout, RightToLeftMirrorsTextAndIcon) {
    MessageMeasures m = Measures(SIZE{200, 13}, true, 1);
    m.rightToLeft = true;
    MessageLayout l = LayoutMessageDialog(m);
    EXPECT_EQ(l.client.cx, 271);
    EXPECT_TRUE(l.message == Box(271 - 59 - 200, 13, 200, 13));
    EXPECT_TRUE(l.icon == Box(271 - 12 - 32, 13, 32, 32));
    EXPECT_LE(l.message.right, l.icon.left);  // the text is not drawn over the icon
    ASSERT_EQ(l.buttons.size(), 1u);
    EXPECT_TRUE(l.buttons[0] == Box(98, 61, 75, 23));
}

TEST(MessageLayout, RightToLeftWithoutIconKeepsTheMarginOnTheRight) {
    MessageMeasures m = Measures(SIZE{300, 13}, false, 1);
    m.rightToLeft = true;
    MessageLayout l = LayoutMessageDialog(m);
    EXPECT_EQ(l.client.cx - l.message.right, 12);
}

TEST(MessagePlacement, BuiltHalvesEachSizeButShownCentresTheDifference) {
    EXPECT_EQ(PlaceOnScreen(SIZE{1280, 1024}, SIZE{271, 97}).x, 640 - 135);
    EXPECT_EQ(PlaceOnScreen(SIZE{1280, 1024}, SIZE{271, 97}).y, 512 - 48);
    POINT shown = widgets::CentreIn(RECT{0, 0, 1280, 1024}, SIZE{271, 97});
    EXPECT_EQ(shown.x, 504);
    EXPECT_EQ(shown.y, 463);
}

TEST(MessagePlacement, CentresOnAnotherDisplay) {
    POINT shown = widgets::CentreIn(RECT{1280, -200, 2560, 824}, SIZE{271, 97});
    EXPECT_EQ(shown.x, 1280 + 504);
    EXPECT_EQ(shown.y, -200 + 463);
}
