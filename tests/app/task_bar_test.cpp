// What a shell makes of the program: one task-bar button, under the application's title, on the
// window that owns the main window; minimising and restoring go through that button's window.
#include "app/main_form.h"
#include "support/recording_shell.h"
#include "support/window_driving.h"
#include "widgets/application.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The windows a shell gives a task-bar button: visible top-level windows, no tool windows, with
// no owner or asking for a button.
BOOL CALLBACK AddIfOnTaskBar(HWND window, LPARAM found) {
    const LONG ex = ::GetWindowLongA(window, GWL_EXSTYLE);
    if (::IsWindowVisible(window) && !(ex & WS_EX_TOOLWINDOW) && (!::GetWindow(window, GW_OWNER) || (ex & WS_EX_APPWINDOW)))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

TEST(TaskBar, ShowsTheTitleOnAWindowThatMinimisesAndRestoresTheMainWindow) {
    widgets::Application application{"Zavotek - Search & Replace"};
    test_support::RecordingShell shell;
    app::TForm1 form{shell};
    form.Show();
    std::vector<HWND> buttons;
    ::EnumThreadWindows(::GetCurrentThreadId(), AddIfOnTaskBar, reinterpret_cast<LPARAM>(&buttons));
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(test_support::WindowText(buttons[0]), "Zavotek - Search & Replace");
    EXPECT_EQ(::GetWindow(form.Handle(), GW_OWNER), buttons[0]);
    EXPECT_EQ(test_support::WindowText(form.Handle()), "Zavotek - String Search & Replace Utility");

    ::SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(::IsIconic(buttons[0]));
    EXPECT_FALSE(::IsWindowVisible(form.Handle()));
    ::SendMessageA(buttons[0], WM_SYSCOMMAND, SC_RESTORE, 0);  // as a click on the button does
    EXPECT_TRUE(::IsWindowVisible(form.Handle()));
    EXPECT_EQ(::GetActiveWindow(), form.Handle());
    test_support::DispatchWaitingMessages();
}

}  // namespace
