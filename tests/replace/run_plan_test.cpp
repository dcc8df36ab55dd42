// The files a Replace All run was confirmed for.
#include "replace/run_plan.h"

#include <gtest/gtest.h>

namespace {

using replace::RunPlan;

TEST(RunPlan, PathsPutOneBackslashBetweenFolderAndNameEvenAfterADriveRoot) {
    RunPlan plan(L"C:\\notes", {L"a.txt", L"b.txt"});
    EXPECT_EQ(plan.Count(), 2u);
    EXPECT_EQ(plan.PathOf(1).Text(), L"C:\\notes\\b.txt");
    EXPECT_EQ(RunPlan(L"C:\\", {L"a.txt"}).PathOf(0).Text(), L"C:\\\\a.txt");
}

TEST(RunPlan, AnEntryIsStillListedOnlyAtItsPlaceInTheSameFolder) {
    RunPlan plan(L"C:\\notes", {L"a.txt", L"b.txt", L"c.txt"});
    const std::vector<std::wstring> now = {L"a.txt", L"c.txt"};
    auto entryAt = [&](int i) { return now.at(static_cast<size_t>(i)); };
    EXPECT_TRUE(plan.StillListed(0, L"C:\\notes", 2, entryAt));
    EXPECT_FALSE(plan.StillListed(1, L"C:\\notes", 2, entryAt)) << "another entry took its place";
    EXPECT_FALSE(plan.StillListed(2, L"C:\\notes", 2, entryAt)) << "the list has become shorter";
    EXPECT_FALSE(plan.StillListed(0, L"C:\\other", 2, entryAt)) << "another folder";
}

}  // namespace
