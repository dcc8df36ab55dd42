#include "replace/temporary_file.h"

#include <cwchar>

namespace replace {

platform::Path TemporaryFile::Name(const platform::Path& folder, DWORD attempt) {
    // Threads of one run make files in one folder at once: each starts from a name of its own.
    const DWORD seed = (::GetCurrentProcessId() * 0x9E3779B1u) ^ (::GetCurrentThreadId() * 0x85EBCA6Bu) ^ ::GetTickCount();
    wchar_t name[32];
    std::swprintf(name, 32, L"~zv%08lX.tmp", static_cast<unsigned long>(seed + attempt * 0x10001u));
    return folder.Join(name);
}

TemporaryFile::TemporaryFile(platform::FileSystem& fs, const platform::Path& folder) : fs_(fs) {
    for (DWORD attempt = 0; attempt < kAttempts; ++attempt) {
        platform::Path path = Name(folder, attempt);
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
