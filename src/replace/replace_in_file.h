#pragma once
// Rewriting one file with every occurrence of a text replaced, without regard to case.
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "replace/rewrite_journal.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace replace {

// The file, open from the read to the write: reading and writing it, with other programs allowed
// to read it (and to rename it away) but not to write it, so that no byte another program writes
// meanwhile can be lost under the new contents.
struct HeldFile {
    platform::UniqueFile handle;
    platform::FileInformation information;
};

// One file's rewrite in two steps: all that changes nothing first, the change itself last, so
// that a run can prepare files ahead of the one it is writing. The new bytes are written through
// the handle that holds the file, so the file stays the same file: its owner and permissions, its
// links and streams, its attributes and identity stay as they were.
class Rewrite {
public:
    // Holds the file. Throws EFOpenError or EFCreateError.
    Rewrite(const platform::Path& path, platform::FileSystem& fs);
    // Its length when it was held: what reading it will take.
    LONGLONG Size() const noexcept { return held_.information.size; }
    // Reads the file and replaces, keeping the old and the new bytes in memory and checksums of the
    // old ones for the journal. The file is not changed. Throws EReadError or EOutOfMemory.
    void Prepare(const std::string& search, const std::string& replacement, platform::CodePage& codePage);

    // After Prepare, writes the new bytes over the file, once `journal` holds what finishing the
    // rewrite needs, and lets it go; a file without a match is only marked as written now. A failed
    // write puts the old bytes back. Throws EFOpenError (the file was deleted meanwhile) or
    // EWriteError.
    void Commit(RewriteJournal& journal);

private:
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

// Runs once after a successful rewrite; the application passes its message pump.
using AfterWrite = std::function<void()>;

// Reads the whole file, replaces with ReplaceAllIgnoringCase and writes the result over the file,
// whether or not anything matched. Throws EFOpenError, EReadError, EOutOfMemory, EFCreateError or
// EWriteError; the file then keeps its old bytes.
void ReplaceInFile(const platform::Path& path, const std::string& search, const std::string& replacement,
                   platform::FileSystem& fs, platform::CodePage& codePage, const AfterWrite& afterWrite = {});
void ReplaceInFile(const platform::Path& path, const std::string& search, const std::string& replacement,
                   const AfterWrite& afterWrite = {});

}  // namespace replace
