#include "browse/current_directory.h"

#include "platform/errors.h"

namespace browse {

void ChangeDirectory(platform::FileSystem& fs, const platform::Path& path) {
    if (fs.SetCurrentDirectory(path)) return;
    const DWORD error = ::GetLastError();
    // A folder too deep for the system to make current is named, since nothing else tells which.
    if (error == ERROR_FILENAME_EXCED_RANGE) throw platform::EInOutError(static_cast<int>(error), path);
    throw platform::EInOutError(static_cast<int>(error));
}

}  // namespace browse
