// The main message loop when the window system cannot give it a message: the program is told why,
// rather than ending as if the user had closed it.
#include "platform/errors.h"
#include "widgets/application.h"

#include <gtest/gtest.h>

namespace {

BOOL WINAPI FailingSource(LPMSG, HWND, UINT, UINT) {
    ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
}

TEST(MessageLoop, AFailedMessageEndsTheLoopWithTheSystemsReason) {
    widgets::Application application("Message loop");
    try {
        application.Run(FailingSource);
        ADD_FAILURE() << "the loop ended as if asked to";
    } catch (const platform::EError& e) {
        EXPECT_NE(e.Message().find(platform::SystemErrorText(ERROR_INVALID_WINDOW_HANDLE)), std::wstring::npos);
    }
    EXPECT_TRUE(application.Terminated());
}

}  // namespace
