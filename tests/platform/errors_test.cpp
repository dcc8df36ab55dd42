#include "platform/errors.h"
#include "platform/unique_handle.h"

#include <gtest/gtest.h>

TEST(SystemErrorText, IsTrimmedOfLineBreaksAndFullStops) {
    std::wstring text = platform::SystemErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), L'.');
    EXPECT_NE(text.back(), L'\n');
    EXPECT_GT(text.back(), L' ');
}

// An owner letting go keeps the thread's last error for its caller, even when its close sets one.
TEST(UniqueHandle, LettingGoKeepsTheLastError) {
    platform::UniqueHwnd gone{::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)};
    ASSERT_TRUE(::DestroyWindow(gone.get()));
    ::SetLastError(ERROR_HANDLE_EOF);
    gone.reset();
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_HANDLE_EOF));
}
