#include "platform/file_system.h"

#include "platform/private_access.h"

#include <winternl.h>

#include <string>

namespace platform {

namespace {

// The documented class of NtQueryInformationFile that answers with the file's index alone. The
// kernel32 ways (GetFileInformationByHandle, FileIdInfo) also read the volume's serial number,
// which under Wine asks its mount manager: some 0.2-0.4 ms a call, as long as a small file's rewrite.
constexpr auto kFileInternalInformation = static_cast<FILE_INFORMATION_CLASS>(6);
struct FileInternalInformation {
    LARGE_INTEGER indexNumber;
};

class Win32FileSystem final : public FileSystem {
public:
    UniqueFile CreateFile(const Path& path, DWORD access, DWORD share, DWORD disposition,
                          DWORD flagsAndAttributes) override {
        return UniqueFile{::CreateFileW(path.ForSystem().c_str(), access, share, nullptr, disposition,
                                        flagsAndAttributes, nullptr)};
    }
    bool ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read) override {
        return ::ReadFile(file, buffer, count, read, nullptr) != FALSE;
    }
    bool WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written) override {
        return ::WriteFile(file, buffer, count, written, nullptr) != FALSE;
    }
    bool SetFilePointer(HANDLE file, LONGLONG distance, DWORD method, LONGLONG* newPosition) override {
        LARGE_INTEGER to, at;
        to.QuadPart = distance;
        if (!::SetFilePointerEx(file, to, &at, method)) return false;
        if (newPosition) *newPosition = at.QuadPart;
        return true;
    }
    bool SetEndOfFile(HANDLE file) override { return ::SetEndOfFile(file) != FALSE; }
    bool FlushFileBuffers(HANDLE file) override { return ::FlushFileBuffers(file) != FALSE; }
    bool GetFileInformation(HANDLE file, FileInformation* information) override {
        // Not GetFileInformationByHandle: for the volume's serial number it reads Wine's mount
        // table, some 0.7 ms a file, more than the whole rewrite of a small file.
        FILE_BASIC_INFO basic{};
        FILE_STANDARD_INFO standard{};
        if (!::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) ||
            !::GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard))
            return false;
        information->size = standard.EndOfFile.QuadPart;
        information->attributes = basic.FileAttributes;
        information->lastWriteTime = basic.LastWriteTime;
        information->deleted = standard.DeletePending || standard.NumberOfLinks == 0;
        return true;
    }
    bool SetLastWriteTime(HANDLE file, LARGE_INTEGER lastWriteTime) override {
        FILE_BASIC_INFO basic{};  // the zero times and attributes are left as they are
        basic.LastWriteTime = lastWriteTime;
        return ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic) != FALSE;
    }

    UniqueFind FindFirstFile(const Path& pattern, WIN32_FIND_DATAW* data) override {
        return UniqueFind{::FindFirstFileW(pattern.ForSystem().c_str(), data)};
    }
    bool FindNextFile(HANDLE find, WIN32_FIND_DATAW* data) override { return ::FindNextFileW(find, data) != FALSE; }

    bool GetFileInformationByName(const Path& path, FileInformation* information) override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(path.ForSystem().c_str(), GetFileExInfoStandard, &data)) return false;
        information->size = static_cast<LONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
        information->attributes = data.dwFileAttributes;
        information->lastWriteTime = TimeValue(data.ftLastWriteTime);
        information->deleted = false;
        return true;
    }
    bool SetCurrentDirectory(const Path& path) override { return ::SetCurrentDirectoryW(path.c_str()) != FALSE; }
    Path GetCurrentDirectory() override {
        std::wstring buffer(MAX_PATH + 1, L'\0');
        for (;;) {
            DWORD n = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
            if (n == 0) return {};
            if (n < buffer.size()) {
                buffer.resize(n);
                return Path(std::move(buffer));
            }
            buffer.resize(n);  // too small: n is the size it needs
        }
    }

    bool DeleteFile(const Path& path) override { return ::DeleteFileW(path.ForSystem().c_str()) != FALSE; }

    bool GetFileIndex(HANDLE file, ULONGLONG* index) override {
        IO_STATUS_BLOCK status{};
        FileInternalInformation information{};
        const NTSTATUS result = ::NtQueryInformationFile(file, &status, &information, sizeof information,
                                                         kFileInternalInformation);
        if (result < 0) {
            ::SetLastError(::RtlNtStatusToDosError(result));
            return false;
        }
        *index = static_cast<ULONGLONG>(information.indexNumber.QuadPart);
        return true;
    }
    bool GetFreeBytes(const Path& folder, ULONGLONG* bytes) override {
        ULARGE_INTEGER free{};
        if (!::GetDiskFreeSpaceExW(folder.ForSystem().c_str(), &free, nullptr, nullptr)) return false;
        *bytes = free.QuadPart;
        return true;
    }
    bool GetVolumeSerial(const Path& folder, DWORD* serial) override {
        const UniqueFile handle{::CreateFileW(folder.ForSystem().c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
        if (!handle) return false;
        if (!::GetVolumeInformationByHandleW(handle.get(), nullptr, 0, serial, nullptr, nullptr, nullptr, 0)) *serial = 0;
        return true;
    }

    bool CreatePrivateFolder(const Path& path) override {
        if (access_ && ::CreateDirectoryW(path.ForSystem().c_str(), access_.ForFolder())) return true;
        return FolderExists(*this, path);
    }
    UniqueFile CreatePrivateFile(const Path& path) override {
        if (!access_) {
            ::SetLastError(ERROR_ACCESS_DENIED);
            return UniqueFile{};
        }
        return UniqueFile{::CreateFileW(path.ForSystem().c_str(), GENERIC_READ | GENERIC_WRITE, 0, access_.ForFile(),
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)};
    }
    bool IsPrivateToUser(HANDLE file) override { return access_.Grants(file); }

private:
    PrivateAccess access_;
};

}  // namespace

FileSystem& SystemFileSystem() {
    static Win32FileSystem instance;
    return instance;
}

bool FolderExists(FileSystem& fs, const Path& path) {
    FileInformation information;
    return fs.GetFileInformationByName(path, &information) && (information.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

LARGE_INTEGER TimeValue(const FILETIME& time) noexcept {
    LARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = static_cast<LONG>(time.dwHighDateTime);
    return value;
}

bool FileExists(FileSystem& fs, const Path& name) {
    WIN32_FIND_DATAW data;
    UniqueFind find = fs.FindFirstFile(name, &data);
    return find && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace platform
