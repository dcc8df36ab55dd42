// Another program appends to the file while it is rewritten: at every point between the open and
// the write, its bytes either reach the file or its write is refused; none is silently lost.
#include "replace/replace_in_file.h"

#include "platform/errors.h"

#include "support/forwarding_file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// Runs the other program's append, on a thread of its own, when the rewrite reaches `point`.
class InterleavingFileSystem final : public test_support::ForwardingFileSystem {
public:
    InterleavingFileSystem(std::string point, platform::Path target) : point_(std::move(point)), target_(target) {}
    bool appended = false;
    bool deletes = false, deleted = false;  // the other program deletes the file instead

    platform::UniqueFile CreateFile(const platform::Path& path, DWORD access, DWORD share, DWORD disposition,
                                    DWORD flags) override {
        if (path == target_) At("before the open");
        return ForwardingFileSystem::CreateFile(path, access, share, disposition, flags);
    }
    bool GetFileInformation(HANDLE file, platform::FileInformation* information) override {
        At("after the open");
        return ForwardingFileSystem::GetFileInformation(file, information);
    }
    bool ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read) override {
        bool ok = ForwardingFileSystem::ReadFile(file, buffer, count, read);
        At("after the read");
        return ok;
    }
    bool FlushFileBuffers(HANDLE file) override {
        At(flushes_++ == 0 ? "before the journal's flush" : "before the file's flush");
        return ForwardingFileSystem::FlushFileBuffers(file);
    }

private:
    void At(const char* point) {
        if (point_ != point) return;
        point_.clear();
        std::thread other([this] {
            if (deletes) {
                deleted = ::DeleteFileW(target_.c_str()) != FALSE;
                return;
            }
            platform::UniqueFile file{::CreateFileW(target_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                    nullptr, OPEN_EXISTING, 0, nullptr)};
            DWORD written = 0;
            appended = file && ::WriteFile(file.get(), " appended", 9, &written, nullptr) && written == 9;
        });
        other.join();
    }

    std::string point_;
    platform::Path target_;
    int flushes_ = 0;
};

TEST(SecondWriter, ItsBytesSurviveOrItsWriteIsRefusedAtEveryPoint) {
    // Only before the file is held may another program write it; then its bytes are kept.
    const struct {
        std::string point, bytes;
    } cases[] = {{"before the open", "new line appended"}, {"after the open", "new line"},
                 {"after the read", "new line"},           {"before the journal's flush", "new line"},
                 {"before the file's flush", "new line"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.point);
        test_support::TempFolder folder, journal;
        const platform::Path path = folder.WriteFile("log.txt", "old line");
        InterleavingFileSystem fs(c.point, path);
        replace::ReplaceInFile(path, "old", "new", journal.Path(), fs, platform::SystemCodePage());
        EXPECT_EQ(test_support::ReadFileBytes(path), c.bytes);
        EXPECT_EQ(fs.appended, c.bytes.find("appended") != std::string::npos);
        EXPECT_EQ(folder.Names().size(), 1u);
    }
}

// A file another program deletes while the rewrite holds it (the name goes with the last handle)
// stays deleted, and the rewrite says the file is gone: Windows tells it through the handle, Wine
// only by the name once the file is let go.
TEST(SecondWriter, AFileDeletedWhileHeldStaysDeleted) {
    test_support::TempFolder folder, journal;
    const platform::Path path = folder.WriteFile("log.txt", "old line");
    InterleavingFileSystem fs("after the read", path);
    fs.deletes = true;
    EXPECT_THROW(replace::ReplaceInFile(path, "old", "new", journal.Path(), fs, platform::SystemCodePage()),
                 platform::EFOpenError);
    EXPECT_TRUE(fs.deleted);
    EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
