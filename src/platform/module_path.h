#pragma once
// Where the running executable lives.
#include <string>

namespace platform {

// The running executable's full path.
std::string ExecutablePath();
// The running executable's folder, with its trailing separator.
std::string ExecutableFolder();

}  // namespace platform
