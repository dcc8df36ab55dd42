// A rewrite that changes no byte only marks the file as written now: no byte written, no journal,
// no flush to disk, and the same refusals as any rewrite.
#include "replace/replace_in_file.h"

#include "platform/code_page.h"
#include "support/forwarding_file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using test_support::ReadFileBytes;

namespace {

class CountingFileSystem final : public test_support::ForwardingFileSystem {
public:
    int newFiles = 0, flushes = 0, writes = 0;

    platform::UniqueFile CreatePrivateFile(const platform::Path& path) override {
        ++newFiles;
        return ForwardingFileSystem::CreatePrivateFile(path);
    }
    bool WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written) override {
        ++writes;
        return ForwardingFileSystem::WriteFile(file, buffer, count, written);
    }
    bool FlushFileBuffers(HANDLE file) override {
        ++flushes;
        return ForwardingFileSystem::FlushFileBuffers(file);
    }
};

class UnchangedRewrite : public testing::Test {
protected:
    void Replace(const std::string& search, const std::string& replacement) {
        replace::ReplaceInFile(path_, search, replacement, journal_.Path(), fs_, platform::SystemCodePage());
    }

    const std::string kText = "Nothing to see here\r\n\xE9\t";
    test_support::TempFolder folder_, journal_;
    platform::Path path_ = folder_.WriteFile("file.txt", kText);
    CountingFileSystem fs_;
};

}  // namespace

TEST_F(UnchangedRewrite, WritesNoByteAndMakesNoJournalOrFlush) {
    Replace("absent", "x");
    EXPECT_EQ(ReadFileBytes(path_), kText);
    EXPECT_EQ(fs_.writes, 0);
    EXPECT_EQ(fs_.newFiles, 0);
    EXPECT_EQ(fs_.flushes, 0);
    EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"file.txt"});

    // A replacement that only keeps the same bytes counts as no change too.
    Replace("SEE", "see");
    EXPECT_EQ(fs_.newFiles, 0);
    EXPECT_EQ(fs_.flushes, 0);
}

TEST_F(UnchangedRewrite, AChangedFileStillGoesThroughTheJournal) {
    Replace("see", "view");
    EXPECT_EQ(ReadFileBytes(path_), "Nothing to view here\r\n\xE9\t");
    EXPECT_EQ(fs_.newFiles, 1);
    EXPECT_EQ(fs_.flushes, 2);
}
