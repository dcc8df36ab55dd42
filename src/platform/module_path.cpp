#include "platform/module_path.h"

#include <windows.h>

namespace platform {

Path ExecutablePath() {
    // The buffer grows until the whole path fits: a folder may be deeper than MAX_PATH.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return Path(std::move(path));
        }
        path.resize(path.size() * 2);
    }
}

Path ExecutableFolder() { return ExecutablePath().Folder(); }

}  // namespace platform
