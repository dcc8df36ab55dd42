#include "platform/module_path.h"

#include "platform/path_parts.h"

#include <windows.h>

namespace platform {

std::string ExecutablePath() {
    char path[MAX_PATH + 1] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, n);
}

std::string ExecutableFolder() { return FolderOf(ExecutablePath()); }

}  // namespace platform
