// Faults injected between ReplaceInFile and the real file system: the file keeps its exact old
// bytes, or holds its new ones, never anything between; nothing of the rewrite is left beside it
// or in the journal's folder; and the right error is raised.
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
    // Only the fault named, from its start.
    void Only(bool FaultyFileSystem::*fault) {
        shrinkOnRead = throwOnRead = hugeSize = shrunk_ = false;
        this->*fault = true;
    }

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
        replace::ReplaceInFile(path_, "old", replacement, journal_.Path(), fs_, platform::SystemCodePage());
    }
    void ExpectFailureLeavesFile(const std::string& className, const std::string& message) {
        ExpectError([this] { Replace(); }, className, message);
        EXPECT_EQ(ReadFileBytes(path_), kOld);
        EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"file.txt"});
        EXPECT_TRUE(journal_.Names().empty());
    }

    const std::string kOld = "an old text, old and OLD";
    test_support::TempFolder folder_, journal_;
    platform::Path path_ = folder_.WriteFile("file.txt", kOld);
    FaultyFileSystem fs_;
};

}  // namespace

TEST_F(ReplaceInFileFaultsTest, AReadThatFailsOrRunsOutOfMemoryLeavesTheFile) {
    const struct {
        bool FaultyFileSystem::*fault;
        const char* errorClass;
        const char* message;
    } cases[] = {
        {&FaultyFileSystem::shrinkOnRead, "EReadError", "Stream read error"},
        {&FaultyFileSystem::hugeSize, "EOutOfMemory", "Out of memory"},
        {&FaultyFileSystem::throwOnRead, "EOutOfMemory", "Out of memory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.errorClass);
        fs_.Only(c.fault);
        ExpectFailureLeavesFile(c.errorClass, c.message);
    }
}

TEST(ReplaceInFileSteps, TheJournalReachesTheDiskBeforeTheFileChanges) {
    test_support::TempFolder folder, journal;
    const platform::Path path = folder.WriteFile("file.txt", "an old text");
    StepRecordingFileSystem fs(path);
    replace::ReplaceInFile(path, "old", "newer", journal.Path(), fs, platform::SystemCodePage());
    // The last write marks the record done, unwaited for.
    EXPECT_EQ(fs.steps, (std::vector<std::string>{"journal written", "journal flushed", "file written", "file flushed",
                                                  "journal written"}));
    EXPECT_EQ(ReadFileBytes(path), "an newer text");
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"file.txt"});
    EXPECT_TRUE(journal.Names().empty()) << "the journal is removed";
}

namespace {

// Fails, on the file itself, the write with the given number (and every later one, when told), or
// its flush; or refuses the journal, or fails the journal's writes.
struct WriteFault {
    int failWrite = 0;
    bool failLaterWrites = false, shortWrite = false, failFlush = false, refuseJournal = false,
         failJournalWrites = false;
};

class WriteFaultFileSystem final : public test_support::ForwardingFileSystem {
public:
    WriteFaultFileSystem(platform::Path target, WriteFault fault) : target_(std::move(target)), fault_(fault) {}

    platform::UniqueFile CreateFile(const platform::Path& path, DWORD access, DWORD share, DWORD disposition,
                                    DWORD flags) override {
        platform::UniqueFile file = ForwardingFileSystem::CreateFile(path, access, share, disposition, flags);
        if (path == target_) file_ = file.get();
        return file;
    }
    platform::UniqueFile CreatePrivateFile(const platform::Path& path) override {
        if (!fault_.refuseJournal) return ForwardingFileSystem::CreatePrivateFile(path);
        ::SetLastError(ERROR_ACCESS_DENIED);
        return platform::UniqueFile{};
    }
    bool WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written) override {
        if (file != file_) return fault_.failJournalWrites ? Fail() : ForwardingFileSystem::WriteFile(file, buffer, count, written);
        ++writes_;
        if (writes_ == fault_.failWrite && fault_.shortWrite)
            return ForwardingFileSystem::WriteFile(file, buffer, count / 2, written);
        if (writes_ == fault_.failWrite || (fault_.failLaterWrites && fault_.failWrite > 0 && writes_ > fault_.failWrite))
            return Fail();
        return ForwardingFileSystem::WriteFile(file, buffer, count, written);
    }
    bool FlushFileBuffers(HANDLE file) override {
        if (!fault_.failFlush || file != file_) return ForwardingFileSystem::FlushFileBuffers(file);
        fault_.failFlush = false;  // the flush after putting the old bytes back goes through
        return Fail();
    }

private:
    bool Fail() {
        ::SetLastError(fault_.refuseJournal ? ERROR_ACCESS_DENIED : ERROR_DISK_FULL);
        return false;
    }
    platform::Path target_;
    WriteFault fault_;
    HANDLE file_ = nullptr;
    int writes_ = 0;
};

}  // namespace

// Every step of the write can fail: the file is then wholly old again, or, where even putting the
// old bytes back fails, part-written with its record kept, which the next command finishes. A
// journal that cannot be made or written leaves the file untouched and says why.
TEST(WriteFaults, TheFileIsWhollyOldOrWhollyNewAndTheErrorNamesIt) {
    const std::string old = "an old text, old and OLD", longer = "an LONGER TEXT text, LONGER TEXT and LONGER TEXT";
    const struct {
        const char* name;
        bool grows;
        WriteFault fault;
        DWORD error;       // the reason the error names
        bool recordLeft;   // the file part-written, with its record in the journal's folder
    } cases[] = {
        {"grow", true, {.failWrite = 1}, ERROR_DISK_FULL, false},
        {"grow, short", true, {.failWrite = 1, .shortWrite = true}, ERROR_DISK_FULL, false},
        {"write over", true, {.failWrite = 2}, ERROR_DISK_FULL, false},
        {"write over, shorter", false, {.failWrite = 1, .shortWrite = true}, ERROR_DISK_FULL, false},
        {"flush", true, {.failFlush = true}, ERROR_DISK_FULL, false},
        {"put back", true, {.failWrite = 2, .failLaterWrites = true}, ERROR_DISK_FULL, true},
        {"no journal", true, {.refuseJournal = true}, ERROR_ACCESS_DENIED, false},
        {"journal write", true, {.failJournalWrites = true}, ERROR_DISK_FULL, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::TempFolder folder, journal;
        const platform::Path path = folder.WriteFile("file.txt", old);
        WriteFaultFileSystem fs(path, c.fault);
        ExpectError([&] { replace::ReplaceInFile(path, "old", c.grows ? "LONGER TEXT" : "o", journal.Path(), fs,
                                                 platform::SystemCodePage()); },
                    "EWriteError",
                    "Cannot write file \"" + test_support::Utf8Name(path.Text()) + "\". " +
                        test_support::Utf8Name(platform::SystemErrorText(c.error)));
        if (!c.recordLeft) EXPECT_EQ(ReadFileBytes(path), old);
        EXPECT_EQ(journal.Names().size(), c.recordLeft ? 1u : 0u);
        EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"file.txt"});
        // The next command, or the next start, finishes what the record holds.
        replace::FinishInterruptedRewrites(platform::SystemFileSystem(), journal.Path());
        EXPECT_EQ(ReadFileBytes(path), c.recordLeft ? longer : old);
        EXPECT_TRUE(journal.Names().empty());
    }
}
