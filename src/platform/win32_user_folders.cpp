#include "platform/user_folders.h"

#include "platform/unique_handle.h"

#include <shlobj.h>

namespace platform {

Path LocalAppDataFolder() {
    PWSTR path = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &path);
    const UniqueHandle<PWSTR, &::CoTaskMemFree> owned{path};
    return SUCCEEDED(result) && path ? Path(path) : Path();
}

}  // namespace platform
