// The undo over real files: each file the command left as it was gets its old bytes and last-write
// time back, through the journal; each that somebody changed, removed, holds or made read-only is
// left as it is and named; a command whose old bytes pass the bound keeps nothing and says why.
#include "replace/undo_store.h"

#include "platform/code_page.h"
#include "replace/rewrite.h"
#include "replace/rewrite_journal.h"
#include "replace/undo_texts.h"
#include "support/forwarding_file_system.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using test_support::ReadFileBytes;
using test_support::WriteFileBytes;

LONGLONG LastWrite(const platform::Path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return platform::TimeValue(data.ftLastWriteTime).QuadPart;
}

void SetLastWrite(const platform::Path& path, LONGLONG time) {
    platform::UniqueFile file{::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, OPEN_EXISTING, 0, nullptr)};
    FILETIME at{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    ::SetFileTime(file.get(), nullptr, nullptr, &at);
}

// Free space as small as a test wants, for the bound.
class SmallDiskFileSystem final : public test_support::ForwardingFileSystem {
public:
    explicit SmallDiskFileSystem(ULONGLONG free) : free_(free) {}
    bool GetFreeBytes(const platform::Path&, ULONGLONG* bytes) override {
        *bytes = free_;
        return true;
    }

private:
    ULONGLONG free_;
};

// A Replace All of "old" by "new" over the files, as the window runs it, keeping its undo.
void RunAndKeep(platform::FileSystem& fs, const test_support::TempFolder& files, const platform::Path& state) {
    replace::RewriteJournal journal(fs, state.Join(L"Journal"));
    replace::UndoKeeper undo(fs, state.Join(L"Undo"), replace::UndoKind::ReplaceAll, files.Path());
    for (const std::wstring& name : files.Names()) {
        replace::Rewrite rewrite(files.Path().Join(name), fs);
        rewrite.Prepare("old", "new", platform::SystemCodePage());
        journal.Write({&rewrite});
        rewrite.Commit(journal);
        undo.Keep(rewrite);
    }
}

TEST(Undo, PutsBackWhatTheCommandLeftAndNamesWhatItLeaves) {
    enum class Then { Nothing, Edit, Remove, Hold, ReadOnly, Replace };
    const struct {
        const char* name;
        std::string before;
        Then then;
        const wchar_t* why;  // null: put back
    } cases[] = {
        {"a.txt", "an old line\r\n", Then::Nothing, nullptr},
        {"b.txt", std::string(9000, 'o') + "old", Then::Nothing, nullptr},
        {"c.txt", "nothing to change", Then::Nothing, nullptr},
        {"d.txt", "old and edited", Then::Edit, L"changed since"},
        {"e.txt", "old and removed", Then::Remove, L"gone"},
        {"f.txt", "old and held", Then::Hold, L"held by another program"},
        {"g.txt", "old and read-only", Then::ReadOnly, L"read-only"},
        {"h.txt", "old and replaced", Then::Replace, L"changed since"},
        {"i.txt", "untouched, edited", Then::Edit, L"changed since"},
    };
    test_support::TempFolder files, state;
    const LONGLONG longAgo = LastWrite(files.Path()) - 10'000'000LL * 3600 * 24 * 400;
    for (const auto& c : cases) {
        WriteFileBytes(files.PathOf(c.name), c.before);
        SetLastWrite(files.PathOf(c.name), longAgo);
    }
    RunAndKeep(platform::SystemFileSystem(), files, state.Path());
    std::vector<platform::UniqueFile> held;
    for (const auto& c : cases) {
        const platform::Path path = files.PathOf(c.name);
        switch (c.then) {
        case Then::Edit: WriteFileBytes(path, ReadFileBytes(path) + " edited"); break;
        case Then::Remove: ::DeleteFileW(path.c_str()); break;
        case Then::Hold:
            held.emplace_back(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
            break;
        case Then::ReadOnly: ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY); break;
        case Then::Replace: {
            const std::string bytes = ReadFileBytes(path);
            ::DeleteFileW(path.c_str());
            WriteFileBytes(path, bytes);
        } break;
        case Then::Nothing: break;
        }
    }
    const std::optional<replace::UndoManifest> kept = replace::ReadUndo(platform::SystemFileSystem(), state.Path().Join(L"Undo"));
    ASSERT_TRUE(replace::CanUndo(kept));
    EXPECT_EQ(kept->entries.size(), std::size(cases));
    const replace::PutBackReport report = replace::PutBack(platform::SystemFileSystem(), state.Path().Join(L"Undo"),
                                                           state.Path().Join(L"Journal"));
    held.clear();
    size_t left = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const platform::Path path = files.PathOf(c.name);
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!c.why) {
            EXPECT_EQ(ReadFileBytes(path), c.before);
            EXPECT_EQ(LastWrite(path), longAgo);
            continue;
        }
        ASSERT_LT(left, report.left.size());
        EXPECT_EQ(report.left[left].first, path);
        EXPECT_EQ(report.left[left++].second, c.why);
        if (c.then != Then::Remove) EXPECT_NE(ReadFileBytes(path), c.before);
    }
    EXPECT_EQ(report.putBack, 3u);
    EXPECT_FALSE(replace::ReadUndo(platform::SystemFileSystem(), state.Path().Join(L"Undo"))) << "no redo";
    EXPECT_TRUE(test_support::NamesIn(state.Path().Join(L"Undo")).empty());
    EXPECT_TRUE(test_support::NamesIn(state.Path().Join(L"Journal")).empty());
}

// Old bytes beyond a tenth of the free space keep nothing, and the menu says why; a command that
// changes no file leaves the last one's undo as it was.
TEST(Undo, KeepsNothingBeyondTheBoundAndSurvivesACommandThatChangesNothing) {
    test_support::TempFolder files, state;
    WriteFileBytes(files.PathOf("a.txt"), std::string(2000, 'o') + "old");
    WriteFileBytes(files.PathOf("b.txt"), "old");
    SmallDiskFileSystem small(10000);  // room for 1,000 bytes
    RunAndKeep(small, files, state.Path());
    std::optional<replace::UndoManifest> kept = replace::ReadUndo(small, state.Path().Join(L"Undo"));
    EXPECT_FALSE(replace::CanUndo(kept));
    EXPECT_EQ(replace::UndoMenuText(kept), L"Undo Replace All (too large to keep)\tCtrl+Z");
    EXPECT_EQ(test_support::NamesIn(state.Path().Join(L"Undo")).size(), 1u) << "only why";

    WriteFileBytes(files.PathOf("a.txt"), "old");
    RunAndKeep(platform::SystemFileSystem(), files, state.Path());
    RunAndKeep(platform::SystemFileSystem(), files, state.Path());  // nothing left to replace
    kept = replace::ReadUndo(platform::SystemFileSystem(), state.Path().Join(L"Undo"));
    ASSERT_TRUE(replace::CanUndo(kept));
    EXPECT_EQ(kept->entries.size(), 2u);
}

TEST(UndoManifest, IsReadBackOnlyWhole) {
    replace::UndoManifest manifest;
    manifest.folder = platform::Path(L"C:\\some folder");
    manifest.entries.push_back({platform::Path(L"C:\\some folder\\a.txt"), {7, 9}, {{1, 2}}, 12, 34, {{5, 6}}, true, 0, 10, 56});
    manifest.entries.push_back({platform::Path(L"C:\\some folder\\b.txt"), {7, 10}, {{3, 4}}, 3, 78, {{7, 8}}});
    const std::string bytes = replace::EncodeUndoManifest(manifest);
    const std::optional<replace::UndoManifest> read = replace::DecodeUndoManifest(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(replace::EncodeUndoManifest(*read), bytes);
    for (size_t cut = 0; cut < bytes.size(); cut += 7) EXPECT_FALSE(replace::DecodeUndoManifest(bytes.substr(0, cut)));
    for (size_t at = 0; at < bytes.size(); at += 5) {
        std::string torn = bytes;
        torn[at] ^= 0x10;
        EXPECT_FALSE(replace::DecodeUndoManifest(torn)) << at;
    }
}

}  // namespace
