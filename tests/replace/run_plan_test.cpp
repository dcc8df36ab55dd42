// The files a Replace All run was confirmed for.
#include "replace/run_plan.h"

#include <gtest/gtest.h>

namespace {

using replace::RunPlan;

TEST(RunPlan, PathsPutOneBackslashBetweenFolderAndNameEvenAfterADriveRoot) {
    RunPlan plan("C:\\notes", {"a.txt", "b.txt"});
    EXPECT_EQ(plan.Count(), 2u);
    EXPECT_EQ(plan.PathOf(1), "C:\\notes\\b.txt");
    EXPECT_EQ(RunPlan("C:\\", {"a.txt"}).PathOf(0), "C:\\\\a.txt");
}

TEST(RunPlan, AnEntryIsStillListedOnlyAtItsPlaceInTheSameFolder) {
    RunPlan plan("C:\\notes", {"a.txt", "b.txt", "c.txt"});
    const std::vector<std::string> now = {"a.txt", "c.txt"};
    auto entryAt = [&](int i) { return now.at(static_cast<size_t>(i)); };
    EXPECT_TRUE(plan.StillListed(0, "C:\\notes", 2, entryAt));
    EXPECT_FALSE(plan.StillListed(1, "C:\\notes", 2, entryAt)) << "another entry took its place";
    EXPECT_FALSE(plan.StillListed(2, "C:\\notes", 2, entryAt)) << "the list has become shorter";
    EXPECT_FALSE(plan.StillListed(0, "C:\\other", 2, entryAt)) << "another folder";
}

}  // namespace
