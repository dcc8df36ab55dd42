// The application's stay-on-top windows: topmost, except while modal boxes are open or another
// program is active, when they are ordinary windows just above the main window.
#include "platform/unique_handle.h"
#include "widgets/application.h"

#include <gtest/gtest.h>

namespace {

bool Topmost(HWND window) { return (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The first visible window below `window` in the z-order.
HWND VisibleBelow(HWND window) {
    HWND w = ::GetWindow(window, GW_HWNDNEXT);
    while (w && !::IsWindowVisible(w)) w = ::GetWindow(w, GW_HWNDNEXT);
    return w;
}

platform::UniqueHwnd TopLevel(const char* caption, HWND owner, DWORD exStyle, int x) {
    platform::UniqueHwnd window{::CreateWindowExA(exStyle, "STATIC", caption, WS_POPUP | WS_CAPTION | WS_VISIBLE, x, 100,
                                                  200, 100, owner, nullptr, nullptr, nullptr)};
    EXPECT_TRUE(window);
    return window;
}

class StayOnTop : public ::testing::Test {
protected:
    void SetUp() override {
        application.SetMainWindow(main.get());
        application.AddStayOnTop(progress.get());
    }
    void TearDown() override { application.RemoveStayOnTop(progress.get()); }

    void ExpectOrdinaryJustAboveMain() {
        EXPECT_FALSE(Topmost(progress.get()));
        EXPECT_EQ(VisibleBelow(progress.get()), main.get());
        EXPECT_EQ(VisibleBelow(other.get()), progress.get()) << "it does not rise above other windows";
    }

    widgets::Application application{"Stay on top"};
    // Made in this order, each lies above the one before: another window lies between the main
    // window and the stay-on-top one.
    platform::UniqueHwnd main = TopLevel("Main", nullptr, 0, 100);
    platform::UniqueHwnd other = TopLevel("Other", nullptr, 0, 200);
    platform::UniqueHwnd progress = TopLevel("Progress", main.get(), WS_EX_TOOLWINDOW, 300);
};

TEST_F(StayOnTop, IsTopmostFromTheStart) {
    EXPECT_TRUE(Topmost(progress.get()));
    EXPECT_FALSE(Topmost(other.get()));
}

TEST_F(StayOnTop, NestedModalBoxesKeepItOrdinaryUntilTheLastOneCloses) {
    application.NormalizeTopmosts();
    ExpectOrdinaryJustAboveMain();
    application.NormalizeTopmosts();  // a box opened from within the first one's loop
    application.RestoreTopmosts();
    ExpectOrdinaryJustAboveMain();
    application.RestoreTopmosts();
    EXPECT_TRUE(Topmost(progress.get()));
    application.RestoreTopmosts();  // one too many changes nothing
    EXPECT_TRUE(Topmost(progress.get()));
    application.NormalizeTopmosts();
    EXPECT_FALSE(Topmost(progress.get())) << "the count did not go below zero";
    application.RestoreTopmosts();
}

// Under Wine, asking an owned window right above its owner to leave the topmost band does nothing.
TEST_F(StayOnTop, LyingRightAboveTheMainWindowItStillBecomesOrdinary) {
    ::SetWindowPos(other.get(), main.get(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(VisibleBelow(progress.get()), main.get());
    application.NormalizeTopmosts();
    EXPECT_FALSE(Topmost(progress.get()));
    EXPECT_EQ(VisibleBelow(progress.get()), main.get());
    EXPECT_EQ(::GetWindow(progress.get(), GW_OWNER), main.get()) << "still owned by the main window";
    application.RestoreTopmosts();
    EXPECT_TRUE(Topmost(progress.get()));
}

TEST_F(StayOnTop, WhileAnotherProgramIsActiveAndABoxOpenItStaysOrdinaryUntilBothEnd) {
    application.SetActive(false);
    ExpectOrdinaryJustAboveMain();
    application.NormalizeTopmosts();
    application.SetActive(true);
    EXPECT_FALSE(Topmost(progress.get())) << "the box is still open";
    application.SetActive(false);
    application.RestoreTopmosts();
    EXPECT_FALSE(Topmost(progress.get())) << "the other program is still active";
    application.SetActive(true);
    EXPECT_TRUE(Topmost(progress.get()));
}

}  // namespace
