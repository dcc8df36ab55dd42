#pragma once
// Rewriting one file with every occurrence of a text replaced, without regard to case.
#include "platform/code_page.h"
#include "platform/file_system.h"

#include <string>

namespace replace {

class UndoKeeper;

// Reads the whole file, replaces with ReplaceAllIgnoringCase and writes the result over the file,
// whether or not anything matched, journaled in `journalFolder`; `undo`, when given, keeps what
// putting it back needs. Throws EFOpenError, EReadError, EOutOfMemory, EFCreateError or
// EWriteError; the file then keeps its old bytes.
void ReplaceInFile(const platform::Path& path, const std::string& search, const std::string& replacement,
                   const platform::Path& journalFolder, platform::FileSystem& fs, platform::CodePage& codePage,
                   UndoKeeper* undo = nullptr);
void ReplaceInFile(const platform::Path& path, const std::string& search, const std::string& replacement,
                   const platform::Path& journalFolder, UndoKeeper* undo = nullptr);

}  // namespace replace
