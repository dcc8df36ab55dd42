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
#include <optional>
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
    // Reads the file to put back `bytes` that an undo kept, and the last-write time `lastWrite`,
    // when it still holds what the command left (`length` bytes whose checksum is `crc`); false,
    // and nothing to write, when it does not. Throws as Prepare does.
    // Without `bytes`, the file keeps its bytes and only gets its last-write time back.
    bool PrepareBack(LONGLONG length, std::uint32_t crc, std::optional<std::string> bytes, LARGE_INTEGER lastWrite);

    // After Prepare: whether the new bytes differ from the old ones.
    bool Changed() const noexcept { return changed_; }
    const platform::Path& FilePath() const noexcept { return path_; }
    platform::FileIdentity Identity(DWORD volumeSerial) const noexcept { return {volumeSerial, held_.index}; }
    // What the journal keeps of a changed file; the volume is the one its folder lies on.
    JournalRecord Record(DWORD volumeSerial) const;
    // The file's bytes and last-write time as it was held, and what the command leaves.
    const std::string& OldBytes() const noexcept { return old_; }
    LARGE_INTEGER OldLastWrite() const noexcept { return held_.information.lastWriteTime; }
    LONGLONG NewLength() const noexcept { return newLength_; }
    std::uint32_t NewBytesCrc() const noexcept { return newCrc_; }
    // After Commit.
    LARGE_INTEGER NewLastWrite() const noexcept { return newLastWrite_; }

    // After Prepare, writes the new bytes over the file once `journal` holds its record on the disk
    // (a group of this one alone when it holds none), and lets it go; a file without a match is
    // only marked as written now. A failed write puts the old bytes back. Throws EFOpenError (the
    // file was deleted meanwhile) or EWriteError.
    void Commit(RewriteJournal& journal);

private:
    // Reads the old bytes and takes `newBytes` as the new ones.
    void Become(std::string newBytes);
    void WriteInPlace(RewriteJournal& journal);
    // Lets the written file go; throws EFOpenError where that was its end.
    void LetGo();

    platform::FileSystem& fs_;
    const platform::Path path_;
    HeldFile held_;
    std::string old_, new_;
    bool changed_ = false;
    std::vector<std::uint32_t> oldChecksums_;
    LONGLONG newLength_ = 0;
    std::uint32_t newCrc_ = 0;
    // The last-write time the file is given once written; the moment of writing when none.
    std::optional<LARGE_INTEGER> lastWriteAfter_;
    LARGE_INTEGER newLastWrite_{};
};

}  // namespace replace
