#include "replace/write_in_place.h"

#include <algorithm>

namespace replace {

bool ReadExactly(platform::FileSystem& fs, HANDLE file, std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        DWORD read = 0;
        if (!fs.ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read) || read == 0)
            return false;
        done += read;
    }
    return true;
}

bool WriteAt(platform::FileSystem& fs, HANDLE file, LONGLONG offset, std::string_view bytes) {
    if (!fs.SetFilePointer(file, offset, FILE_BEGIN, nullptr)) return false;
    if (bytes.empty()) return true;
    DWORD written = 0;
    if (!fs.WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written)) return false;
    if (written == bytes.size()) return true;
    // Windows reports a full disk through the call; a short count alone means the same.
    ::SetLastError(ERROR_DISK_FULL);
    return false;
}

bool CutAt(platform::FileSystem& fs, HANDLE file, LONGLONG length) {
    return fs.SetFilePointer(file, length, FILE_BEGIN, nullptr) && fs.SetEndOfFile(file);
}

bool GrowTo(platform::FileSystem& fs, HANDLE file, LONGLONG length, std::string_view bytes) {
    const auto newLength = static_cast<LONGLONG>(bytes.size());
    if (newLength <= length) return true;
    if (WriteAt(fs, file, length, bytes.substr(static_cast<size_t>(length)))) return true;
    const DWORD error = ::GetLastError();
    CutAt(fs, file, length);
    ::SetLastError(error);
    return false;
}

bool WriteOver(platform::FileSystem& fs, HANDLE file, LONGLONG length, std::string_view bytes) {
    const auto newLength = static_cast<LONGLONG>(bytes.size());
    if (!WriteAt(fs, file, 0, bytes.substr(0, static_cast<size_t>(std::min(length, newLength))))) return false;
    if (newLength < length && !CutAt(fs, file, newLength)) return false;
    return fs.FlushFileBuffers(file);
}

}  // namespace replace
