#include "replace/replace_in_file.h"

#include "replace/rewrite.h"
#include "replace/rewrite_journal.h"
#include "replace/undo_store.h"

namespace replace {

void ReplaceInFile(const platform::Path& path, const std::string& search, const std::string& replacement,
                   const platform::Path& journalFolder, platform::FileSystem& fs, platform::CodePage& codePage,
                   UndoKeeper* undo) {
    // The journal first: it finishes what a stopped program left of this file before it is read.
    RewriteJournal journal(fs, journalFolder);
    Rewrite rewrite(path, fs);
    rewrite.Prepare(search, replacement, codePage);
    rewrite.Commit(journal);
    if (undo) undo->Keep(rewrite);
}

void ReplaceInFile(const platform::Path& path, const std::string& search, const std::string& replacement,
                   const platform::Path& journalFolder, UndoKeeper* undo) {
    ReplaceInFile(path, search, replacement, journalFolder, platform::SystemFileSystem(), platform::SystemCodePage(),
                  undo);
}

}  // namespace replace
