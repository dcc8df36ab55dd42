// The run's queue over real files: files come back in the order they were added, whichever thread
// prepared them; a run that stops at a file leaves every later one as it was and nothing beside
// them; and new contents are written in the run's own hidden folder, or beside the files where no
// folder can be made.
#include "replace/rewrite_queue.h"

#include "support/forwarding_file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Records the folders new files were made in, and refuses new folders when told to.
class NewFileFolders final : public test_support::ForwardingFileSystem {
public:
    explicit NewFileFolders(bool refuseFolders) : refuseFolders_(refuseFolders) {}
    std::set<std::wstring> folders;
    DWORD folderAttributes = 0;

    platform::UniqueFile CreateFile(const platform::Path& path, DWORD access, DWORD share, DWORD disposition,
                                    DWORD flags) override {
        platform::UniqueFile file = ForwardingFileSystem::CreateFile(path, access, share, disposition, flags);
        if (disposition == CREATE_NEW && file) {
            folderAttributes = ::GetFileAttributesW(path.Folder().c_str());
            folders.insert(path.Folder().Text());
        }
        return file;
    }
    bool CreateFolder(const platform::Path& path, DWORD attributes) override {
        if (!refuseFolders_) return ForwardingFileSystem::CreateFolder(path, attributes);
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }

private:
    bool refuseFolders_;
};

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
std::vector<size_t> RunLikeTheWindow(platform::FileSystem& fs, const test_support::TempFolder& folder,
                                     const std::vector<platform::Path>& paths) {
    std::vector<size_t> taken;
    replace::RewriteQueue queue(fs, platform::SystemCodePage(), folder.Path(), "old", "new");
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
        prepared->rewrite->Commit();
    }
    return taken;
}

TEST(RewriteQueue, TakesInOrderAndAStopLeavesEveryLaterFileAsItWas) {
    test_support::TempFolder folder;
    const size_t count = 3 * replace::RewriteQueue::kAhead, readOnly = count / 2;
    std::vector<platform::Path> paths;
    for (size_t i = 0; i < count; ++i) paths.push_back(folder.WriteFile("f" + std::to_string(1000 + i) + ".txt", Text(int(i))));
    ::SetFileAttributesW(paths[readOnly].c_str(), FILE_ATTRIBUTE_READONLY);
    const std::vector<size_t> taken = RunLikeTheWindow(platform::SystemFileSystem(), folder, paths);

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

TEST(RewriteQueue, NewContentsAreWrittenInTheRunsHiddenFolderOrBesideTheFiles) {
    for (bool refuseFolders : {false, true}) {
        SCOPED_TRACE(refuseFolders ? "no folder can be made" : "a folder can be made");
        test_support::TempFolder folder;
        std::vector<platform::Path> paths;
        for (int i = 0; i < 8; ++i) paths.push_back(folder.WriteFile("f" + std::to_string(i) + ".txt", Text(3 * i)));
        NewFileFolders fs(refuseFolders);
        EXPECT_EQ(RunLikeTheWindow(fs, folder, paths).size(), paths.size());
        ASSERT_EQ(fs.folders.size(), 1u);
        // Folders as Folder() gives them, with their closing backslash.
        const std::wstring used = *fs.folders.begin(), listed = folder.Path().Text() + L"\\";
        const std::wstring parent = platform::Path(used.substr(0, used.size() - 1)).Folder().Text();
        EXPECT_EQ(refuseFolders ? used : parent, listed) << test_support::Utf8Name(used);
        EXPECT_EQ((fs.folderAttributes & FILE_ATTRIBUTE_HIDDEN) != 0, !refuseFolders);
        EXPECT_EQ(folder.Names().size(), paths.size()) << "the run's folder is gone";
        for (int i = 0; i < 8; ++i) EXPECT_EQ(test_support::ReadFileBytes(paths[i]).find("Old"), std::string::npos);
    }
}

}  // namespace
