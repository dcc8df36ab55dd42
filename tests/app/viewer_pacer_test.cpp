// When a Replace All run shows a rewritten file, by an injected clock.
#include "app/viewer_pacer.h"

#include <gtest/gtest.h>

namespace {

using app::ViewerPacer;

class ViewerPacerTest : public testing::Test {
protected:
    void Show(DWORD loadTime) {
        pacer.Showing();
        now += loadTime;
        pacer.Shown();
    }

    DWORD now = 5000;
    ViewerPacer pacer{[this] { return now; }};
};

TEST_F(ViewerPacerTest, AFileIsShownOnceTheIntervalHasPassedSinceTheRunStartedOrTheLastShow) {
    EXPECT_FALSE(pacer.ShowNow(false, false)) << "the run has just started";
    now += ViewerPacer::kInterval;
    EXPECT_TRUE(pacer.ShowNow(false, false));
    Show(5);
    now += ViewerPacer::kInterval - 1;
    EXPECT_FALSE(pacer.ShowNow(false, false));
    now += 1;
    EXPECT_TRUE(pacer.ShowNow(false, false));
}

TEST_F(ViewerPacerTest, ASlowLoadKeepsTheViewerFromTheNextFileForFifteenTimesAsLong) {
    Show(200);
    now += 15 * 200 - 1;
    EXPECT_FALSE(pacer.ShowNow(false, false));
    now += 1;
    EXPECT_TRUE(pacer.ShowNow(false, false));
}

TEST_F(ViewerPacerTest, TheLastFileAndEveryFileAskedAboutAreAlwaysShown) {
    EXPECT_TRUE(pacer.ShowNow(true, false));
    EXPECT_TRUE(pacer.ShowNow(false, true));
}

TEST_F(ViewerPacerTest, RemembersTheLastFilePassedOverUntilOneIsLoaded) {
    EXPECT_FALSE(pacer.Unshown());
    pacer.Skipped(3);
    pacer.Skipped(4);
    EXPECT_EQ(pacer.Unshown(), 4u);
    pacer.Showing();
    EXPECT_EQ(pacer.Unshown(), 4u) << "a load that fails leaves it to catch up with";
    pacer.Shown();
    EXPECT_FALSE(pacer.Unshown());
}

TEST_F(ViewerPacerTest, CountsTheIntervalAcrossTheClocksWrap) {
    now = 0xFFFFFFF0u;
    Show(0);
    now = ViewerPacer::kInterval - 0x11;
    EXPECT_FALSE(pacer.ShowNow(false, false));
    now += 1;
    EXPECT_TRUE(pacer.ShowNow(false, false));
}

}  // namespace
