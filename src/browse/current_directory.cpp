#include "browse/current_directory.h"

#include "platform/errors.h"

namespace browse {

void ChangeDirectory(platform::FileSystem& fs, const std::string& path) {
    if (!fs.SetCurrentDirectory(path)) throw platform::EInOutError(static_cast<int>(::GetLastError()));
}

}  // namespace browse
