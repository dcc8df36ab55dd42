#pragma once
// Rewriting one file with every occurrence of a text replaced, without regard to case.
#include "platform/code_page.h"
#include "platform/file_system.h"

#include <functional>
#include <string>

namespace replace {

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
