#pragma once
// Where the running executable lives.
#include "platform/path.h"

namespace platform {

// The running executable's full path.
Path ExecutablePath();
// The running executable's folder, with its trailing separator.
Path ExecutableFolder();

}  // namespace platform
