// Whether the list still shows a run's entry where it was.
#include "app/still_listed.h"

#include <gtest/gtest.h>

namespace {

using replace::RunPlan;

TEST(StillListed, OnlyAtItsPlaceInTheSameFolder) {
    RunPlan plan(L"C:\\notes", {L"a.txt", L"b.txt", L"c.txt"});
    const std::vector<std::wstring> now = {L"a.txt", L"c.txt"};
    auto entryAt = [&](int i) { return now.at(static_cast<size_t>(i)); };
    EXPECT_TRUE(app::StillListed(plan, 0, L"C:\\notes", 2, entryAt));
    EXPECT_FALSE(app::StillListed(plan, 1, L"C:\\notes", 2, entryAt)) << "another entry took its place";
    EXPECT_FALSE(app::StillListed(plan, 2, L"C:\\notes", 2, entryAt)) << "the list has become shorter";
    EXPECT_FALSE(app::StillListed(plan, 0, L"C:\\other", 2, entryAt)) << "another folder";
}

}  // namespace
