#include "platform/errors.h"

#include <gtest/gtest.h>

TEST(SystemErrorText, IsTrimmedOfLineBreaksAndFullStops) {
    std::string text = platform::SystemErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '.');
    EXPECT_NE(text.back(), '\n');
    EXPECT_GT(static_cast<unsigned char>(text.back()), ' ');
}
