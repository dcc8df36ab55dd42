#include "platform/errors.h"

#include <gtest/gtest.h>

TEST(SystemErrorText, IsTrimmedOfLineBreaksAndFullStops) {
    std::wstring text = platform::SystemErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), L'.');
    EXPECT_NE(text.back(), L'\n');
    EXPECT_GT(text.back(), L' ');
}
