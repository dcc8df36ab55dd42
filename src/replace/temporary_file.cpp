#include "replace/temporary_file.h"

#include <cwchar>

namespace replace {

TemporaryFile::TemporaryFile(platform::FileSystem& fs, const platform::Path& neighbour) : fs_(fs) {
    const platform::Path folder = neighbour.Folder();
    const DWORD seed = ::GetCurrentProcessId() * 0x9E3779B1u ^ ::GetTickCount();
    constexpr DWORD kAttempts = 100;
    for (DWORD attempt = 0; attempt < kAttempts; ++attempt) {
        wchar_t name[32];
        std::swprintf(name, 32, L"~zv%08lX.tmp", static_cast<unsigned long>(seed + attempt * 0x10001u));
        platform::Path path(folder.Text() + name);
        file_ = fs_.CreateFile(path, GENERIC_WRITE | DELETE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
        if (file_) {
            path_ = std::move(path);
            return;
        }
        DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return;
    }
}

TemporaryFile::~TemporaryFile() {
    file_.reset();
    if (!path_.empty()) fs_.DeleteFile(path_);
}

}  // namespace replace
