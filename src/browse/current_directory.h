#pragma once
// Making a folder the process's current directory, as the listing does at every step.
#include "platform/file_system.h"

namespace browse {

// Makes `path` current; a refusal raises EInOutError with the platform's error code (and the
// folder's name when it was too long for the system).
void ChangeDirectory(platform::FileSystem& fs, const platform::Path& path);

}  // namespace browse
