#pragma once
// The journal that makes an in-place rewrite safe against a kill or a power cut: before the first
// byte of a file changes, its new bytes and the checksums of its old ones are on the disk in a
// hidden file of the folder it lies in. Whenever the program stops, each file is wholly old, wholly
// new, or part-written with a whole record in the journal; the next listing of the folder finishes
// such a rewrite (FinishInterruptedRewrites) and removes the journal.
//
// One journal serves a command: each file's record replaces the last one, because a file is on
// the disk before the next record is written.
#include "platform/file_system.h"
#include "replace/journal_record.h"

#include <cstdint>
#include <string_view>

namespace replace {

class RewriteJournal {
public:
    // Nothing is made on the disk until the first record.
    RewriteJournal(platform::FileSystem& fs, platform::Path folder);
    // Removes the journal, unless a rewrite left its file part-written.
    ~RewriteJournal();
    RewriteJournal(const RewriteJournal&) = delete;
    RewriteJournal& operator=(const RewriteJournal&) = delete;

    // Writes the record and its new bytes and waits for the disk. False where no journal can be
    // made or written (a folder that refuses new files, a full disk): the rewrite then goes on
    // without one.
    bool Write(const JournalRecord& record, std::uint32_t newBytesCrc);
    // The file of the last record could not be put back as it was: the journal stays, for the next
    // listing to finish its rewrite.
    void Keep() noexcept { keep_ = true; }

private:
    platform::FileSystem& fs_;
    const platform::Path folder_;
    platform::Path path_;
    platform::UniqueFile file_;
    bool failed_ = false, keep_ = false;
};

// The journal's name pattern: a leading dot and the hidden attribute hide it on Linux and Windows,
// and no file type's mask matches it.
extern const wchar_t kJournalPattern[];

// Finishes every rewrite in `folder` that a stopped program left part-written, and removes the
// journals that no file needs any more. A file that somebody changed since keeps its bytes, and
// its journal stays; a journal that a running command holds is left to it. Never fails.
void FinishInterruptedRewrites(platform::FileSystem& fs, const platform::Path& folder);

}  // namespace replace
