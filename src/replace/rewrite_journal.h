#pragma once
// The journal that makes an in-place rewrite safe against a kill or a power cut: before the first
// byte of a file changes, its record (its path and identity, its new bytes and the checksums of
// its old ones) is on the disk; once the file's new bytes are, the record is marked done, and once
// every file of its group is, the journal holds no record at all. Whenever the program stops, each
// file is wholly old, wholly new, or part-written with a whole record in a journal that no running
// command holds; FinishInterruptedRewrites finishes such a rewrite.
//
// The journal is the user's own: it lives in the user's private folder, never beside the files,
// and nothing a listed folder holds is ever taken for a record. Records are written by groups,
// so that the disk is waited for once for many files.
#include "platform/file_system.h"
#include "replace/volume_serials.h"

#include <map>
#include <vector>

namespace replace {

class Rewrite;

class RewriteJournal {
public:
    // First finishes the rewrites that stopped programs left in `folder` (FinishInterruptedRewrites):
    // no rewrite of this command touches a file that such a record names before it is finished.
    // Nothing is made on the disk until the first record.
    RewriteJournal(platform::FileSystem& fs, platform::Path folder);
    // Removes the journal, unless a rewrite left its file part-written.
    ~RewriteJournal();
    RewriteJournal(const RewriteJournal&) = delete;
    RewriteJournal& operator=(const RewriteJournal&) = delete;

    // Writes the records of the changed files among `group`, prepared and not yet committed, in
    // place of the last group's, and waits for the disk once for them all. Throws EWriteError
    // naming the first of them where no record can be written (a folder that refuses new files, a
    // full disk): those files are not to be touched then.
    void Write(const std::vector<const Rewrite*>& group);
    // Whether the last group holds the record of `rewrite`.
    bool Holds(const Rewrite& rewrite) const { return members_.count(&rewrite) != 0; }
    // The file of `rewrite` has its new bytes on the disk.
    void Done(const Rewrite& rewrite) noexcept;
    // A file could not be put back as it was: the journal is let go as it is, for the next command
    // or start to finish its rewrite, and the next group goes into a journal of its own.
    void Keep() noexcept;

private:
    void Open();
    void Forget() noexcept;

    platform::FileSystem& fs_;
    const platform::Path folder_;
    platform::Path path_;
    platform::UniqueFile file_;
    std::map<const Rewrite*, LONGLONG> members_;  // where each record of the group starts
    size_t pending_ = 0;
    VolumeSerials volumes_;
};

// The journals' name pattern in their folder.
extern const wchar_t kJournalPattern[];

// Finishes every rewrite that a stopped program left part-written, by the journals in `folder`
// that no running command holds and that are the user's own. A record is let go once its file is
// finished, found wholly old or new, changed by somebody since, or another file by its identity;
// a journal is removed once it holds no other. A record whose file is not there, cannot be held,
// or is read-only stays, to be tried again. Never fails.
void FinishInterruptedRewrites(platform::FileSystem& fs, const platform::Path& folder) noexcept;

}  // namespace replace
