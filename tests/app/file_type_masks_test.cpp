// The file types the program offers and the mask each one lists by.
#include "app/file_type_masks.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(FileTypeMasks, EachEntryNamesItsMaskAndOtherIndexesHaveNone) {
    // The entry's text ends with the mask in brackets, except the web entry's second extension.
    for (int i = 0; i < app::kFileTypeCount; ++i) {
        const std::string text = app::FileTypeMasks[i].text, mask = test_support::Utf8Name(app::MaskForIndex(i));
        EXPECT_NE(text.find("(" + mask), std::string::npos) << text;
        EXPECT_EQ(mask.rfind("*.", 0), 0u) << "one pattern: " << mask;
        EXPECT_EQ(mask.find(';'), std::string::npos) << mask;
    }
    EXPECT_EQ(app::MaskForIndex(1), L"*.htm");
    for (int other : {-2, -1, 5, 7}) EXPECT_EQ(app::MaskForIndex(other), L"") << other;
}

}  // namespace
