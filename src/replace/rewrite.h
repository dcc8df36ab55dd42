#pragma once
// One file's rewrite in two steps: all that changes nothing first, the change itself last, so
// that a run can prepare files ahead of the one it is writing. The new bytes are written through
// the handle that holds the file, so the file stays the same file: its owner and permissions, its
// links and streams, its attributes and identity stay as they were.
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "replace/held_file.h"
#include "replace/journal_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace replace {

class RewriteJournal;

class Rewrite {
public:
    // Holds the file. Throws EFOpenError or EFCreateError.
    Rewrite(const platform::Path& path, platform::FileSystem& fs);
    // Its length when it was held: what reading it will take.
    LONGLONG Size() const noexcept { return held_.information.size; }
    // Reads the file and replaces, keeping the old and the new bytes in memory and checksums of the
    // old ones for the journal. The file is not changed. Throws EReadError or EOutOfMemory.
    void Prepare(const std::string& search, const std::string& replacement, platform::CodePage& codePage);

    // After Prepare: whether the new bytes differ from the old ones.
    bool Changed() const noexcept { return changed_; }
    const platform::Path& FilePath() const noexcept { return path_; }
    // What the journal keeps of a changed file; the volume is the one its folder lies on. Throws
    // IoFailure when the file's index cannot be read.
    JournalRecord Record(DWORD volumeSerial) const;
    std::uint32_t NewBytesCrc() const noexcept { return newCrc_; }

    // After Prepare, writes the new bytes over the file once `journal` holds its record on the disk
    // (a group of this one alone when it holds none), and lets it go; a file without a match is
    // only marked as written now. A failed write puts the old bytes back. Throws EFOpenError (the
    // file was deleted meanwhile) or EWriteError.
    void Commit(RewriteJournal& journal);

private:
    void WriteInPlace(RewriteJournal& journal);
    // Lets the written file go; throws EFOpenError where that was its end.
    void LetGo();

    platform::FileSystem& fs_;
    const platform::Path path_;
    HeldFile held_;
    std::string old_, new_;
    bool changed_ = false;
    std::vector<std::uint32_t> oldChecksums_;
    std::uint32_t newCrc_ = 0;
};

}  // namespace replace
