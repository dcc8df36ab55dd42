#include "replace/in_place_io.h"

#include "platform/errors.h"

#include <algorithm>

namespace replace {

namespace {

[[noreturn]] void Fail() { throw IoFailure{::GetLastError()}; }

}  // namespace

std::string ReadWhole(platform::FileSystem& fs, HANDLE file) {
    platform::FileInformation information;
    if (!fs.GetFileInformation(file, &information)) Fail();
    return ReadAt(fs, file, 0, information.size);
}

std::string ReadAt(platform::FileSystem& fs, HANDLE file, LONGLONG offset, LONGLONG length) {
    if (length > kMaxTextLength) throw platform::errors::OutOfMemory();
    if (!fs.SetFilePointer(file, offset, FILE_BEGIN, nullptr)) Fail();
    std::string bytes(static_cast<size_t>(length), '\0');
    for (size_t done = 0; done < bytes.size();) {
        DWORD read = 0;
        if (!fs.ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read)) Fail();
        if (read == 0) throw IoFailure{ERROR_HANDLE_EOF};
        done += read;
    }
    return bytes;
}

void WriteAt(platform::FileSystem& fs, HANDLE file, LONGLONG offset, std::string_view bytes) {
    if (!fs.SetFilePointer(file, offset, FILE_BEGIN, nullptr)) Fail();
    if (bytes.empty()) return;
    DWORD written = 0;
    if (!fs.WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written)) Fail();
    // Windows reports a full disk through the call; a short count alone means the same.
    if (written != bytes.size()) throw IoFailure{ERROR_DISK_FULL};
}

void CutAt(platform::FileSystem& fs, HANDLE file, LONGLONG length) {
    if (!fs.SetFilePointer(file, length, FILE_BEGIN, nullptr) || !fs.SetEndOfFile(file)) Fail();
}

void Flush(platform::FileSystem& fs, HANDLE file) {
    if (!fs.FlushFileBuffers(file)) Fail();
}

void GrowTo(platform::FileSystem& fs, HANDLE file, LONGLONG length, std::string_view bytes) {
    if (static_cast<LONGLONG>(bytes.size()) <= length) return;
    try {
        WriteAt(fs, file, length, bytes.substr(static_cast<size_t>(length)));
    } catch (const IoFailure&) {
        try {
            CutAt(fs, file, length);
        } catch (const IoFailure&) {
        }
        throw;
    }
}

void WriteOver(platform::FileSystem& fs, HANDLE file, LONGLONG length, std::string_view bytes) {
    const auto newLength = static_cast<LONGLONG>(bytes.size());
    WriteAt(fs, file, 0, bytes.substr(0, static_cast<size_t>(std::min(length, newLength))));
    if (newLength < length) CutAt(fs, file, newLength);
    Flush(fs, file);
}

}  // namespace replace
