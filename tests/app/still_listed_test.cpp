// Whether the list still shows a run's entry where it was.
#include "app/still_listed.h"

#include <gtest/gtest.h>

namespace {

using replace::RunPlan;

TEST(StillListed, OnlyAtItsPlaceInTheSameFolder) {
    const platform::Path notes(L"C:\\notes");
    RunPlan plan(notes, {L"a.txt", L"b.txt", L"c.txt"});
    const std::vector<std::wstring> now = {L"a.txt", L"c.txt"};
    auto entryAt = [&](int i) { return now.at(static_cast<size_t>(i)); };
    EXPECT_TRUE(app::StillListed(plan, 0, notes, 2, entryAt));
    EXPECT_FALSE(app::StillListed(plan, 1, notes, 2, entryAt)) << "another entry took its place";
    EXPECT_FALSE(app::StillListed(plan, 2, notes, 2, entryAt)) << "the list has become shorter";
    EXPECT_FALSE(app::StillListed(plan, 0, platform::Path(L"C:\\other"), 2, entryAt)) << "another folder";
}

}  // namespace
