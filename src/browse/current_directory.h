#pragma once
// Making a folder the process's current directory, as the listing does at every step.
#include "platform/file_system.h"

#include <string>

namespace browse {

// Makes `path` current; a refusal raises EInOutError with the platform's error code.
void ChangeDirectory(platform::FileSystem& fs, const std::string& path);

}  // namespace browse
