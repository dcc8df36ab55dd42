#include "replace/work_folder.h"

#include "replace/temporary_file.h"

namespace replace {

WorkFolder::WorkFolder(platform::FileSystem& fs, const platform::Path& folder) : fs_(fs), path_(folder) {
    for (DWORD attempt = 0; attempt < TemporaryFile::kAttempts; ++attempt) {
        platform::Path path = TemporaryFile::Name(folder, attempt);
        if (fs_.CreateFolder(path, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)) {
            path_ = std::move(path);
            made_ = true;
            return;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS && ::GetLastError() != ERROR_FILE_EXISTS) return;
    }
}

// A file left in it (the only copy of new contents after a failed swap) keeps it in place.
WorkFolder::~WorkFolder() {
    if (made_) fs_.RemoveFolder(path_);
}

}  // namespace replace
