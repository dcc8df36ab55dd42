// Faults injected between ReplaceInFile and the real file system: the file keeps its exact old
// bytes, no temporary file is left behind and the right error is raised.
#include "replace/replace_in_file.h"

#include "platform/code_page.h"
#include "platform/errors.h"
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
    bool failWrite = false, shortWrite = false, shrinkOnRead = false, throwOnRead = false, failReplace = false,
         refuseNewFiles = false, failGrow = false, hugeSize = false;

    platform::UniqueFile CreateFile(const platform::Path& path, DWORD access, DWORD share, DWORD disposition,
                                    DWORD flags) override {
        if (refuseNewFiles && disposition == CREATE_NEW) {
            Fail(ERROR_ACCESS_DENIED);
            return platform::UniqueFile{};
        }
        return ForwardingFileSystem::CreateFile(path, access, share, disposition, flags);
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
    bool WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written) override {
        if (failWrite) return Fail(ERROR_DISK_FULL);
        return ForwardingFileSystem::WriteFile(file, buffer, shortWrite ? count / 2 : count, written);
    }
    bool GetFileInformation(HANDLE file, platform::FileInformation* information) override {
        if (!ForwardingFileSystem::GetFileInformation(file, information)) return false;
        if (hugeSize) information->size = LONGLONG{1} << 31;
        return true;
    }
    bool SetEndOfFile(HANDLE file) override {
        return failGrow ? Fail(ERROR_DISK_FULL) : ForwardingFileSystem::SetEndOfFile(file);
    }
    bool RenameOpenFileOver(HANDLE file, const platform::Path& target, bool targetHeld) override {
        return failReplace ? Fail(ERROR_ACCESS_DENIED)
                           : ForwardingFileSystem::RenameOpenFileOver(file, target, targetHeld);
    }

private:
    static bool Fail(DWORD error) {
        ::SetLastError(error);
        return false;
    }
    bool shrunk_ = false;
};

// Records the steps that make the new bytes durable and put them in the file's place.
class StepRecordingFileSystem final : public test_support::ForwardingFileSystem {
public:
    std::vector<std::string> steps;

    bool WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written) override {
        steps.push_back("written");
        written_ = file;
        return ForwardingFileSystem::WriteFile(file, buffer, count, written);
    }
    bool FlushFileBuffers(HANDLE file) override {
        steps.push_back(file == written_ ? "flushed" : "flushed another file");
        return ForwardingFileSystem::FlushFileBuffers(file);
    }
    bool RenameOpenFileOver(HANDLE file, const platform::Path& target, bool targetHeld) override {
        // Only a file that nobody holds open can be opened without sharing.
        if (!targetHeld && platform::UniqueFile{::CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                              0, nullptr)})
            steps.push_back("let go");
        steps.push_back(targetHeld ? "swapped while held" : "swapped");
        return ForwardingFileSystem::RenameOpenFileOver(file, target, targetHeld);
    }

private:
    HANDLE written_ = nullptr;
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

TEST_F(ReplaceInFileFaultsTest, FailedWriteIsAStreamWriteError) {
    fs_.failWrite = true;
    ExpectFailureLeavesFile("EWriteError", "Stream write error");
}

TEST_F(ReplaceInFileFaultsTest, ShortWriteIsAStreamWriteError) {
    fs_.shortWrite = true;
    ExpectFailureLeavesFile("EWriteError", "Stream write error");
}

TEST_F(ReplaceInFileFaultsTest, ShortReadIsAStreamReadError) {
    fs_.shrinkOnRead = true;
    ExpectFailureLeavesFile("EReadError", "Stream read error");
}

TEST_F(ReplaceInFileFaultsTest, FailedSwapIsACreateErrorForTheFile) {
    fs_.failReplace = true;
    ExpectFailureLeavesFile("EFCreateError",
                            "Cannot create file \"" + test_support::Utf8Name(path_.Text()) + "\". " +
                                test_support::Utf8Name(platform::SystemErrorText(ERROR_ACCESS_DENIED)));
}

TEST_F(ReplaceInFileFaultsTest, FileOfTwoGibibytesIsOutOfMemory) {
    fs_.hugeSize = true;
    ExpectFailureLeavesFile("EOutOfMemory", "Out of memory");
}

TEST_F(ReplaceInFileFaultsTest, AllocationFailureIsOutOfMemory) {
    fs_.throwOnRead = true;
    ExpectFailureLeavesFile("EOutOfMemory", "Out of memory");
}

TEST_F(ReplaceInFileFaultsTest, FolderThatRefusesNewFilesIsRewrittenInPlace) {
    fs_.refuseNewFiles = true;
    Replace();
    EXPECT_EQ(ReadFileBytes(path_), "an LONGER TEXT text, LONGER TEXT and LONGER TEXT");
    // A shorter result must cut the old tail.
    replace::ReplaceInFile(path_, "longer text", "o", fs_, platform::SystemCodePage());
    EXPECT_EQ(ReadFileBytes(path_), "an o text, o and o");
    EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"file.txt"});
}

TEST_F(ReplaceInFileFaultsTest, InPlaceRewriteOnAFullDiskFailsBeforeAnyByteChanges) {
    fs_.refuseNewFiles = true;
    fs_.failGrow = true;
    ExpectFailureLeavesFile("EWriteError", "Stream write error");
}

TEST(ReplaceInFileSteps, TheNewFileIsWrittenFlushedAndClosedBeforeTheSwap) {
    test_support::TempFolder folder;
    const platform::Path path = folder.WriteFile("file.txt", "an old text");
    StepRecordingFileSystem fs;
    replace::ReplaceInFile(path, "old", "new", fs, platform::SystemCodePage());
    // Windows 10 renames over the file it still holds; Wine and older Windows let it go first.
    std::vector<std::string> expected = {"written", "flushed", "swapped while held"};
    if (fs.steps.size() > expected.size()) expected.insert(expected.end(), {"let go", "swapped"});
    EXPECT_EQ(fs.steps, expected);
    EXPECT_EQ(ReadFileBytes(path), "an new text");
}

namespace {

// Fails one step of the swap, named as the table below names it.
class SwapFaultFileSystem final : public test_support::ForwardingFileSystem {
public:
    std::string failAt;
    bool deleteTargetFirst = false;

    bool WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written) override {
        return failAt == "write beside" ? Fail() : ForwardingFileSystem::WriteFile(file, buffer, count, written);
    }
    bool SetTimesAndAttributes(HANDLE file, LARGE_INTEGER created, LARGE_INTEGER written, DWORD attributes) override {
        return failAt == "attributes" ? Fail()
                                      : ForwardingFileSystem::SetTimesAndAttributes(file, created, written, attributes);
    }
    bool FlushFileBuffers(HANDLE file) override {
        return failAt == "flush beside" ? Fail() : ForwardingFileSystem::FlushFileBuffers(file);
    }
    bool RenameOpenFileOver(HANDLE file, const platform::Path& target, bool targetHeld) override {
        if (targetHeld) {
            if (failAt == "rename while held") return Fail();
            // Every other case takes the rename after letting the file go, as under Wine.
            ::SetLastError(ERROR_NOT_SUPPORTED);
            return false;
        }
        if (failAt != "rename") return ForwardingFileSystem::RenameOpenFileOver(file, target, targetHeld);
        if (deleteTargetFirst) ::DeleteFileW(target.c_str());  // as if another program took it away
        return Fail();
    }

private:
    static bool Fail() {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
};

}  // namespace

TEST(SwapFaults, AfterEveryFailedStepOneWholeCopyIsLeftAndNamed) {
    const struct {
        const char* failAt;
        bool targetGone;
        const char* errorClass;
    } cases[] = {
        {"write beside", false, "EWriteError"},    {"attributes", false, "EWriteError"},
        {"flush beside", false, "EWriteError"},    {"rename while held", false, "EFCreateError"},
        {"rename", false, "EFCreateError"},        {"rename", true, "EFCreateError"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.failAt) + (c.targetGone ? ", file gone" : ""));
        test_support::TempFolder folder;
        const platform::Path path = folder.WriteFile("file.txt", "an old text");
        SwapFaultFileSystem fs;
        fs.failAt = c.failAt;
        fs.deleteTargetFirst = c.targetGone;
        std::string message;
        try {
            replace::ReplaceInFile(path, "old", "new", fs, platform::SystemCodePage());
            ADD_FAILURE() << "no error";
        } catch (const platform::EError& e) {
            EXPECT_STREQ(e.ClassName(), c.errorClass);
            message = test_support::Utf8Name(e.Message());
        }
        const std::vector<std::wstring> names = folder.Names();
        if (!c.targetGone) {
            EXPECT_EQ(ReadFileBytes(path), "an old text");
            EXPECT_EQ(names, std::vector<std::wstring>{L"file.txt"}) << "nothing left beside it";
            continue;
        }
        // The only copy left is the file beside it, which the message names.
        ASSERT_EQ(names.size(), 1u);
        EXPECT_EQ(ReadFileBytes(folder.Path().Join(names[0])), "an new text");
        EXPECT_NE(message.find(test_support::Utf8Name(names[0])), std::string::npos) << message;
    }
}
