// The file-type masks for a selector index that names no entry (none chosen, or out of range).
#include "app/file_type_masks.h"

#include <gtest/gtest.h>

namespace {

TEST(FileTypeMasks, AnIndexThatNamesNoEntryHasNoMask) {
    for (int other : {-2, -1, app::kFileTypeCount, app::kFileTypeCount + 2})
        EXPECT_EQ(app::MaskForIndex(other), L"") << other;
}

}  // namespace
