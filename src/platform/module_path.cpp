#include "platform/module_path.h"

#include <windows.h>

namespace platform {

std::string ExecutableFolder() {
    char path[MAX_PATH + 1] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string full(path, n);
    return full.substr(0, full.find_last_of("\\:") + 1);
}

}  // namespace platform
