// When a Replace All run shows a rewritten file, by an injected clock.
#include "replace/viewer_pacer.h"

#include <gtest/gtest.h>

namespace {

using replace::ViewerPacer;

class ViewerPacerTest : public testing::Test {
protected:
    DWORD now = 5000;
    ViewerPacer pacer{[this] { return now; }};
};

TEST_F(ViewerPacerTest, TheFirstFileIsShownThenFilesWithinTheIntervalArePassedOver) {
    EXPECT_TRUE(pacer.ShowNow(false, false));
    pacer.Shown();
    now += ViewerPacer::kInterval - 1;
    EXPECT_FALSE(pacer.ShowNow(false, false));
    now += 1;
    EXPECT_TRUE(pacer.ShowNow(false, false));
}

TEST_F(ViewerPacerTest, TheLastFileAndEveryFileAskedAboutAreAlwaysShown) {
    pacer.Shown();
    EXPECT_TRUE(pacer.ShowNow(true, false));
    EXPECT_TRUE(pacer.ShowNow(false, true));
}

TEST_F(ViewerPacerTest, RemembersTheLastFilePassedOverUntilOneIsShown) {
    EXPECT_FALSE(pacer.Unshown());
    pacer.Skipped(3);
    pacer.Skipped(4);
    EXPECT_EQ(pacer.Unshown(), 4u);
    pacer.Shown();
    EXPECT_FALSE(pacer.Unshown());
}

TEST_F(ViewerPacerTest, CountsTheIntervalAcrossTheClocksWrap) {
    now = 0xFFFFFFF0u;
    pacer.Shown();
    now = ViewerPacer::kInterval - 0x11;
    EXPECT_FALSE(pacer.ShowNow(false, false));
    now += 1;
    EXPECT_TRUE(pacer.ShowNow(false, false));
}

}  // namespace
