// Faults injected between ReplaceInFile and the real file system: the file keeps its exact old
// bytes, or holds its new ones, never anything between; nothing of the rewrite is left beside it;
// and the right error is raised.
#include "replace/replace_in_file.h"

#include "platform/code_page.h"
#include "platform/errors.h"
#include "replace/rewrite_journal.h"
#include "support/expect_error.h"
#include "support/forwarding_file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

using test_support::ExpectError;
using test_support::ReadFileBytes;

namespace {

class FaultyFileSystem final : public test_support::ForwardingFileSystem {
public:
    bool shrinkOnRead = false, throwOnRead = false, hugeSize = false;

    bool ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read) override {
        if (throwOnRead) throw std::bad_alloc();
        if (!shrinkOnRead) return ForwardingFileSystem::ReadFile(file, buffer, count, read);
        // As if the file had lost its last byte since its size was taken.
        if (shrunk_) {
            *read = 0;
            return true;
        }
        shrunk_ = true;
        return ForwardingFileSystem::ReadFile(file, buffer, count - 1, read);
    }
    bool GetFileInformation(HANDLE file, platform::FileInformation* information) override {
        if (!ForwardingFileSystem::GetFileInformation(file, information)) return false;
        if (hugeSize) information->size = LONGLONG{1} << 31;
        return true;
    }
private:
    bool shrunk_ = false;
};

// Records the writes and flushes of the journal and of the file.
class StepRecordingFileSystem final : public test_support::ForwardingFileSystem {
public:
    explicit StepRecordingFileSystem(platform::Path target) : target_(std::move(target)) {}
    std::vector<std::string> steps;

    platform::UniqueFile CreateFile(const platform::Path& path, DWORD access, DWORD share, DWORD disposition,
                                    DWORD flags) override {
        platform::UniqueFile file = ForwardingFileSystem::CreateFile(path, access, share, disposition, flags);
        if (path == target_) file_ = file.get();
        return file;
    }
    bool WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written) override {
        Step(file, "written");
        return ForwardingFileSystem::WriteFile(file, buffer, count, written);
    }
    bool FlushFileBuffers(HANDLE file) override {
        Step(file, "flushed");
        return ForwardingFileSystem::FlushFileBuffers(file);
    }

private:
    void Step(HANDLE file, const std::string& what) {
        const std::string step = (file == file_ ? "file " : "journal ") + what;
        if (steps.empty() || steps.back() != step) steps.push_back(step);
    }
    platform::Path target_;
    HANDLE file_ = nullptr;
};

class ReplaceInFileFaultsTest : public testing::Test {
protected:
    void Replace(const std::string& replacement = "LONGER TEXT") {
        replace::ReplaceInFile(path_, "old", replacement, fs_, platform::SystemCodePage(), [this] { ++pumps_; });
    }
    void ExpectFailureLeavesFile(const std::string& className, const std::string& message) {
        ExpectError([this] { Replace(); }, className, message);
        EXPECT_EQ(ReadFileBytes(path_), kOld);
        EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"file.txt"});
        EXPECT_EQ(pumps_, 0);
    }

    const std::string kOld = "an old text, old and OLD";
    test_support::TempFolder folder_;
    platform::Path path_ = folder_.WriteFile("file.txt", kOld);
    FaultyFileSystem fs_;
    int pumps_ = 0;
};

}  // namespace

TEST_F(ReplaceInFileFaultsTest, ShortReadIsAStreamReadError) {
    fs_.shrinkOnRead = true;
    ExpectFailureLeavesFile("EReadError", "Stream read error");
}

TEST_F(ReplaceInFileFaultsTest, FileOfTwoGibibytesIsOutOfMemory) {
    fs_.hugeSize = true;
    ExpectFailureLeavesFile("EOutOfMemory", "Out of memory");
}

TEST_F(ReplaceInFileFaultsTest, AllocationFailureIsOutOfMemory) {
    fs_.throwOnRead = true;
    ExpectFailureLeavesFile("EOutOfMemory", "Out of memory");
}

TEST(ReplaceInFileSteps, TheJournalReachesTheDiskBeforeTheFileChanges) {
    test_support::TempFolder folder;
    const platform::Path path = folder.WriteFile("file.txt", "an old text");
    StepRecordingFileSystem fs(path);
    replace::ReplaceInFile(path, "old", "newer", fs, platform::SystemCodePage());
    EXPECT_EQ(fs.steps, (std::vector<std::string>{"journal written", "journal flushed", "file written", "file flushed"}));
    EXPECT_EQ(ReadFileBytes(path), "an newer text");
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"file.txt"}) << "the journal is removed";
}

namespace {

// Fails, on the file itself, the write with the given number (and every later one, when told), or
// its flush; or refuses the journal, or fails the journal's writes.
class WriteFaultFileSystem final : public test_support::ForwardingFileSystem {
public:
    explicit WriteFaultFileSystem(platform::Path target) : target_(std::move(target)) {}
    int failWrite = 0;
    bool failLaterWrites = false, shortWrite = false, failFlush = false, refuseJournal = false,
         failJournalWrites = false;

    platform::UniqueFile CreateFile(const platform::Path& path, DWORD access, DWORD share, DWORD disposition,
                                    DWORD flags) override {
        if (refuseJournal && disposition == CREATE_NEW) {
            ::SetLastError(ERROR_ACCESS_DENIED);
            return platform::UniqueFile{};
        }
        platform::UniqueFile file = ForwardingFileSystem::CreateFile(path, access, share, disposition, flags);
        if (path == target_) file_ = file.get();
        return file;
    }
    bool WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written) override {
        if (file != file_) return failJournalWrites ? Fail() : ForwardingFileSystem::WriteFile(file, buffer, count, written);
        ++writes_;
        if (writes_ == failWrite && shortWrite) return ForwardingFileSystem::WriteFile(file, buffer, count / 2, written);
        if (writes_ == failWrite || (failLaterWrites && failWrite > 0 && writes_ > failWrite)) return Fail();
        return ForwardingFileSystem::WriteFile(file, buffer, count, written);
    }
    bool FlushFileBuffers(HANDLE file) override {
        if (!failFlush || file != file_) return ForwardingFileSystem::FlushFileBuffers(file);
        failFlush = false;  // the flush after putting the old bytes back goes through
        return Fail();
    }

private:
    static bool Fail() {
        ::SetLastError(ERROR_DISK_FULL);
        return false;
    }
    platform::Path target_;
    HANDLE file_ = nullptr;
    int writes_ = 0;
};

}  // namespace

// Every step of the write can fail: the file is then wholly old again, or, where even putting the
// old bytes back fails, part-written with the journal kept, which the next listing finishes. A
// journal that cannot be made or written does not stop the rewrite.
TEST(WriteFaults, TheFileIsWhollyOldOrWhollyNewAndTheErrorNamesIt) {
    const std::string old = "an old text, old and OLD", longer = "an LONGER TEXT text, LONGER TEXT and LONGER TEXT",
                      shorter = "an o text, o and o";
    const struct {
        const char* name;
        bool grows;
        int failWrite;
        bool failLaterWrites, shortWrite, failFlush, refuseJournal, failJournalWrites;
        bool failed, journalLeft, finished;  // finished: new bytes once the folder is listed
    } cases[] = {
        // name                 grows  write later  short  flush  nojrnl jwrite failed left   finished
        {"grow",                true,  1,    false, false, false, false, false, true,  false, false},
        {"grow, short",         true,  1,    false, true,  false, false, false, true,  false, false},
        {"write over",          true,  2,    false, false, false, false, false, true,  false, false},
        {"write over, shorter", false, 1,    false, true,  false, false, false, true,  false, false},
        {"flush",               true,  0,    false, false, true,  false, false, true,  false, false},
        {"put back",            true,  2,    true,  false, false, false, false, true,  true,  true},
        {"no journal",          true,  0,    false, false, false, true,  false, false, false, true},
        {"journal write",       true,  0,    false, false, false, false, true,  false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::TempFolder folder;
        const platform::Path path = folder.WriteFile("file.txt", old);
        WriteFaultFileSystem fs(path);
        fs.failWrite = c.failWrite;
        fs.failLaterWrites = c.failLaterWrites;
        fs.shortWrite = c.shortWrite;
        fs.failFlush = c.failFlush;
        fs.refuseJournal = c.refuseJournal;
        fs.failJournalWrites = c.failJournalWrites;
        const std::string& expected = c.grows ? longer : shorter;
        const auto replace = [&] {
            replace::ReplaceInFile(path, "old", c.grows ? "LONGER TEXT" : "o", fs, platform::SystemCodePage());
        };
        if (c.failed)
            ExpectError(replace, "EWriteError",
                        "Cannot write file \"" + test_support::Utf8Name(path.Text()) + "\". " +
                            test_support::Utf8Name(platform::SystemErrorText(ERROR_DISK_FULL)));
        else
            replace();
        if (!c.journalLeft) {
            EXPECT_EQ(ReadFileBytes(path), c.finished ? expected : old);
        }
        EXPECT_EQ(folder.Names().size(), c.journalLeft ? 2u : 1u);
        // The next listing finishes what the journal holds.
        replace::FinishInterruptedRewrites(platform::SystemFileSystem(), folder.Path());
        EXPECT_EQ(ReadFileBytes(path), c.finished ? expected : old);
        EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"file.txt"});
    }
}
