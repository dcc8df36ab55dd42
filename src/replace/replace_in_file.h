#pragma once
// Rewriting one file with every occurrence of a text replaced, without regard to case.
#include "platform/code_page.h"
#include "platform/file_system.h"

#include "replace/temporary_file.h"

#include <functional>
#include <optional>
#include <string>

namespace replace {

// The file, open from the read to the swap: reading and writing it, with other programs allowed
// to read it (and to rename it away) but not to write it, so that no byte another program writes
// meanwhile can be lost under the new contents.
struct HeldFile {
    platform::UniqueFile handle;
    platform::FileInformation information;
};

// One file's rewrite in two steps: all that can be undone first, the change itself last, so that
// a run can prepare files ahead of the one it is putting in place.
class Rewrite {
public:
    // Holds the file. Throws EFOpenError or EFCreateError.
    Rewrite(const platform::Path& path, platform::FileSystem& fs);
    // Its length when it was held: what reading it will take.
    LONGLONG Size() const noexcept { return held_.information.size; }
    // Reads the file and replaces; changed contents are written to a new file in `newFileFolder`
    // (on the file's volume) and flushed. The file itself is not changed yet. Throws EReadError,
    // EOutOfMemory or EWriteError.
    void Prepare(const std::string& search, const std::string& replacement, platform::CodePage& codePage,
                 const platform::Path& newFileFolder);
    // Unless committed, the file is let go as it was and the new file is removed.
    ~Rewrite();
    Rewrite(const Rewrite&) = delete;
    Rewrite& operator=(const Rewrite&) = delete;

    // After Prepare, puts the new contents in the file's place; a file without a match is only marked as
    // written now. Throws EFCreateError or EWriteError.
    void Commit();

private:
    platform::FileSystem& fs_;
    const platform::Path path_;
    HeldFile held_;
    std::optional<TemporaryFile> temporary_;
    // Set only where no new file can be made: the bytes to write where the file stands.
    std::optional<std::string> inPlace_;
};

// Runs once after a successful rewrite; the application passes its message pump.
using AfterWrite = std::function<void()>;

// Reads the whole file, replaces with ReplaceAllIgnoringCase and puts the result in the file's
// place, whether or not anything matched. Throws EFOpenError, EReadError, EOutOfMemory,
// EFCreateError or EWriteError; the file then keeps its old bytes.
void ReplaceInFile(const platform::Path& path, const std::string& search, const std::string& replacement,
                   platform::FileSystem& fs, platform::CodePage& codePage, const AfterWrite& afterWrite = {});
void ReplaceInFile(const platform::Path& path, const std::string& search, const std::string& replacement,
                   const AfterWrite& afterWrite = {});

}  // namespace replace
