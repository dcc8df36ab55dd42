// The run's queue over real files: files come back in the order they were added, whichever thread
// prepared them, however little memory they may take ahead; a run that stops at a file leaves
// every later one as it was and nothing beside them.
#include "replace/rewrite_queue.h"

#include "replace/rewrite_journal.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>


namespace {

std::string Text(int i) { return "line " + std::to_string(i) + (i % 3 == 0 ? " has Old here\r\n" : " has none\r\n"); }

// Waits for the next prepared file in short spells, for at most 30 s, which no file of these
// tests needs even on a slow machine: a queue that never hands it back fails the test by name.
std::optional<replace::RewriteQueue::Prepared> NextPrepared(replace::RewriteQueue& queue) {
    std::optional<replace::RewriteQueue::Prepared> prepared;
    for (const ULONGLONG start = ::GetTickCount64(); !prepared && ::GetTickCount64() - start < 30000;)
        prepared = queue.Take(100);
    if (!prepared) ADD_FAILURE() << "a prepared file never came back";
    return prepared;
}

// A run over the files as the window makes it: each file added as room allows, each put in
// place as it comes back, stopping at the first that fails. Returns the indices taken, the
// failed one last.
std::vector<size_t> RunLikeTheWindow(const test_support::TempFolder& folder, const std::vector<platform::Path>& paths,
                                     LONGLONG bytesAhead = replace::RewriteQueue::kBytesAhead) {
    std::vector<size_t> taken;
    replace::RewriteJournal journal(platform::SystemFileSystem(), folder.Path());
    replace::RewriteQueue queue(platform::SystemFileSystem(), platform::SystemCodePage(), "old", "new", 2, bytesAhead);
    for (size_t next = 0; next < paths.size() || !queue.Empty();) {
        if (next < paths.size() && !queue.Full()) {
            queue.Add(next, paths[next]);
            ++next;
            continue;
        }
        std::optional<replace::RewriteQueue::Prepared> prepared = NextPrepared(queue);
        if (!prepared) return taken;
        taken.push_back(prepared->index);
        if (prepared->error) return taken;
        prepared->rewrite->Commit(journal);
    }
    return taken;
}

TEST(RewriteQueue, TakesInOrderAndAStopLeavesEveryLaterFileAsItWas) {
    test_support::TempFolder folder;
    const size_t count = 3 * replace::RewriteQueue::kAhead, readOnly = count / 2;
    std::vector<platform::Path> paths;
    for (size_t i = 0; i < count; ++i) paths.push_back(folder.WriteFile("f" + std::to_string(1000 + i) + ".txt", Text(int(i))));
    ::SetFileAttributesW(paths[readOnly].c_str(), FILE_ATTRIBUTE_READONLY);
    const std::vector<size_t> taken = RunLikeTheWindow(folder, paths);

    ASSERT_EQ(taken.size(), readOnly + 1);
    for (size_t i = 0; i < taken.size(); ++i) EXPECT_EQ(taken[i], i);
    for (size_t i = 0; i < count; ++i) {
        std::string expected = Text(int(i));
        if (i < readOnly && i % 3 == 0) expected.replace(expected.find("Old"), 3, "new");
        EXPECT_EQ(test_support::ReadFileBytes(paths[i]), expected) << i;
    }
    EXPECT_EQ(folder.Names().size(), count) << "nothing beside the files";
    ::SetFileAttributesW(paths[readOnly].c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Files larger than the memory allowed ahead wait their turn, the first not taken always prepared.
TEST(RewriteQueue, FilesBeyondTheMemoryAheadWaitTheirTurn) {
    test_support::TempFolder folder;
    std::vector<platform::Path> paths;
    std::string big;
    for (int i = 0; i < 40; ++i) big += Text(3 * i);
    for (int i = 0; i < 12; ++i) paths.push_back(folder.WriteFile(std::to_string(10 + i) + ".txt", big));
    EXPECT_EQ(RunLikeTheWindow(folder, paths, static_cast<LONGLONG>(3 * big.size())).size(), paths.size());
    for (const platform::Path& path : paths) EXPECT_EQ(test_support::ReadFileBytes(path).find("Old"), std::string::npos);
    EXPECT_EQ(folder.Names().size(), paths.size());
}

}  // namespace
