// The main window gives the keyboard focus back to the control that had it once another window of
// the program that took the activation goes: the progress window hidden after a command.
#include "app/main_form.h"
#include "app/search_splash.h"
#include "support/recording_shell.h"
#include "support/window_driving.h"
#include "widgets/application.h"

#include <gtest/gtest.h>

namespace {

TEST(FocusReturn, TheControlThatHadTheFocusGetsItBackWhenTheProgressWindowGoes) {
    widgets::Application application{"Zavotek - Search & Replace"};
    test_support::RecordingShell shell;
    app::TForm1 form{shell};
    app::TfrmSearchSplash splash;
    form.Show();
    ::SetActiveWindow(form.Handle());
    ::SetFocus(form.edReplace());
    test_support::SettleWindowManager();
    ASSERT_EQ(::GetFocus(), form.edReplace());

    splash.Show();
    test_support::SettleWindowManager();
    ASSERT_EQ(::GetActiveWindow(), splash.Handle());
    splash.Hide();
    test_support::DispatchWaitingMessages();
    ASSERT_EQ(::GetActiveWindow(), form.Handle());
    EXPECT_EQ(::GetFocus(), form.edReplace()) << "not the form itself";
}

}  // namespace
