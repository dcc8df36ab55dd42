#pragma once
// A new, uniquely named file, removed again unless it was moved into place.
#include "platform/file_system.h"

#include <string>

namespace replace {

class TemporaryFile {
public:
    // Tries to create the file in `folder`; see Created().
    TemporaryFile(platform::FileSystem& fs, const platform::Path& folder);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // False when the folder refuses new files.
    bool Created() const { return static_cast<bool>(file_); }
    HANDLE Handle() const { return file_.get(); }
    const platform::Path& Path() const { return path_; }
    void Close() { file_.reset(); }
    // The file has been moved into another's place: nothing is left to remove.
    void Release() { path_ = {}; }

    // The name of the given attempt at a new name in `folder`, for files and folders alike.
    static platform::Path Name(const platform::Path& folder, DWORD attempt);
    static constexpr DWORD kAttempts = 100;

private:
    platform::FileSystem& fs_;
    platform::Path path_;
    platform::UniqueFile file_;
};

}  // namespace replace
