#pragma once
// Checks that an action raises one of the program's errors, with its class and exact text.
#include "platform/errors.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace test_support {

inline void ExpectError(const std::function<void()>& action, const std::string& className,
                        const std::string& message) {
    try {
        action();
    } catch (const platform::EError& error) {
        EXPECT_EQ(error.ClassName(), className);
        EXPECT_EQ(Utf8Name(error.Message()), message);
        return;
    }
    ADD_FAILURE() << "no error raised; expected " << className << " \"" << message << "\"";
}

}  // namespace test_support
