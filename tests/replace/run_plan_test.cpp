// The files a Replace All run was confirmed for.
#include "replace/run_plan.h"

#include <gtest/gtest.h>

namespace {

using replace::RunPlan;

TEST(RunPlan, PathsPutOneBackslashBetweenFolderAndNameEvenAfterADriveRoot) {
    RunPlan plan(platform::Path(L"C:\\notes"), {L"a.txt", L"b.txt"});
    EXPECT_EQ(plan.Count(), 2u);
    EXPECT_EQ(plan.PathOf(1).Text(), L"C:\\notes\\b.txt");
    EXPECT_EQ(RunPlan(platform::Path(L"C:\\"), {L"a.txt"}).PathOf(0).Text(), L"C:\\\\a.txt");
}

}  // namespace
