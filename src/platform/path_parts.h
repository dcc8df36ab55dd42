#pragma once
// A path's folder and file name, split behind its last backslash, slash or colon, counted in
// whole characters: in a double-byte code page a character's second byte can be 0x5C.
#include "platform/code_page.h"

#include <string>

namespace platform {

// The folder with its trailing separator; empty when the path has none.
std::string FolderOf(const std::string& path, CodePage& codePage = SystemCodePage());
std::string FileNameOf(const std::string& path, CodePage& codePage = SystemCodePage());

}  // namespace platform
