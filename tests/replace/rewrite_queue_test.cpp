// The run's queue over real files: files come back in the order they were added, whichever thread
// prepared them, within the memory they may take ahead; a run that stops at a file leaves every
// later one as it was and nothing beside them.
#include "replace/rewrite_queue.h"

#include "replace/rewrite_journal.h"
#include "support/forwarding_file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

std::string Text(int i) { return "line " + std::to_string(i) + (i % 3 == 0 ? " has Old here\r\n" : " has none\r\n"); }

// Counts the bytes the queue's threads have read of files not yet written, at the most.
class ReadCountingFileSystem final : public test_support::ForwardingFileSystem {
public:
    std::atomic<LONGLONG> read{0}, written{0}, mostAhead{0};
    bool ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* done) override {
        const bool ok = ForwardingFileSystem::ReadFile(file, buffer, count, done);
        const LONGLONG ahead = (read += ok ? *done : 0) - written;
        for (LONGLONG most = mostAhead; ahead > most && !mostAhead.compare_exchange_weak(most, ahead);) {
        }
        return ok;
    }
};

struct RunResult {
    std::vector<size_t> taken;  // the indices handed back, a failed one last
    LONGLONG mostReadAhead = 0;  // bytes read of files not yet written, at the most
};

// A run over the files as the window makes it: each put in place as it comes back, stopping at
// the first that fails. A run that never ends fails the test by name within 30 s.
RunResult RunLikeTheWindow(const std::vector<platform::Path>& paths,
                           LONGLONG bytesAhead = replace::RewriteQueue::kBytesAhead) {
    RunResult result;
    test_support::TempFolder journals;
    ReadCountingFileSystem fs;
    const ULONGLONG start = ::GetTickCount64();
    struct Stop {};
    try {
        replace::RewriteJournal journal(fs, journals.Path());
        replace::RewriteQueue queue(fs, platform::SystemCodePage(), "old", "new", 2, bytesAhead);
        queue.Run({paths.size(), [] { return false; }, [&](size_t index) { return std::optional(paths[index]); },
                   [&](std::vector<replace::RewriteQueue::Prepared>& group) {
                       std::vector<const replace::Rewrite*> rewrites;
                       for (const auto& prepared : group)
                           if (prepared.rewrite) rewrites.push_back(prepared.rewrite.get());
                       journal.Write(rewrites);
                       for (auto& prepared : group) {
                           result.taken.push_back(prepared.index);
                           if (prepared.error) throw Stop{};
                           prepared.rewrite->Commit(journal);
                           fs.written += prepared.rewrite->Size();
                       }
                   },
                   [&] {
                       if (::GetTickCount64() - start > 30000) throw Stop{};
                   }});
    } catch (const Stop&) {
    }
    EXPECT_LT(::GetTickCount64() - start, 30000u) << "a prepared file never came back";
    EXPECT_TRUE(journals.Names().empty()) << "no record outlives the run";
    result.mostReadAhead = fs.mostAhead;
    return result;
}

TEST(RewriteQueue, TakesInOrderAndAStopLeavesEveryLaterFileAsItWas) {
    test_support::TempFolder folder;
    const size_t count = 3 * replace::RewriteQueue::kAhead, readOnly = count / 2;
    std::vector<platform::Path> paths;
    for (size_t i = 0; i < count; ++i) paths.push_back(folder.WriteFile("f" + std::to_string(1000 + i) + ".txt", Text(int(i))));
    ::SetFileAttributesW(paths[readOnly].c_str(), FILE_ATTRIBUTE_READONLY);
    const std::vector<size_t> taken = RunLikeTheWindow(paths).taken;

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

// Files larger than the memory allowed ahead wait their turn, the first not taken always prepared:
// the threads read no further ahead than that memory's worth, and the files the run has taken.
TEST(RewriteQueue, FilesBeyondTheMemoryAheadWaitTheirTurn) {
    test_support::TempFolder folder;
    std::vector<platform::Path> paths;
    std::string big;
    for (int i = 0; i < 40; ++i) big += Text(3 * i);
    for (int i = 0; i < 24; ++i) paths.push_back(folder.WriteFile(std::to_string(10 + i) + ".txt", big));
    // Room for three files' old and new bytes: at most four prepared when the run takes them, and
    // three more read while it writes those.
    const RunResult result = RunLikeTheWindow(paths, static_cast<LONGLONG>(6 * big.size()));
    EXPECT_EQ(result.taken.size(), paths.size());
    EXPECT_LE(result.mostReadAhead, static_cast<LONGLONG>(8 * big.size()));
    for (const platform::Path& path : paths) EXPECT_EQ(test_support::ReadFileBytes(path).find("Old"), std::string::npos);
    EXPECT_EQ(folder.Names().size(), paths.size());
}

}  // namespace
