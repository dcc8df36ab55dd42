#include "platform/file_system.h"

#include <atomic>
#include <vector>

namespace platform {

namespace {

// FILE_RENAME_INFO with the flags field of FileRenameInfoEx (Windows 10 1709 and later).
struct RenameInformationEx {
    DWORD Flags;
    HANDLE RootDirectory;
    DWORD FileNameLength;
    WCHAR FileName[1];
};
constexpr DWORD kRenameReplaceIfExists = 0x1, kRenamePosixSemantics = 0x2;
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);

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
        LARGE_INTEGER size{};
        if (!::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) || !::GetFileSizeEx(file, &size))
            return false;
        information->size = size.QuadPart;
        information->attributes = basic.FileAttributes;
        information->creationTime = basic.CreationTime;
        return true;
    }
    bool SetTimesAndAttributes(HANDLE file, LARGE_INTEGER creationTime, LARGE_INTEGER lastWriteTime,
                               DWORD attributes) override {
        FILE_BASIC_INFO basic{};
        basic.CreationTime = creationTime;
        basic.LastWriteTime = lastWriteTime;
        basic.FileAttributes = attributes;
        return ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic) != FALSE;
    }

    UniqueFind FindFirstFile(const Path& pattern, WIN32_FIND_DATAW* data) override {
        return UniqueFind{::FindFirstFileW(pattern.ForSystem().c_str(), data)};
    }
    bool FindNextFile(HANDLE find, WIN32_FIND_DATAW* data) override { return ::FindNextFileW(find, data) != FALSE; }

    DWORD GetFileAttributes(const Path& path) override { return ::GetFileAttributesW(path.ForSystem().c_str()); }
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

    bool RenameOpenFileOver(HANDLE file, const Path& target) override {
        // A system without it says so once; the question is not put to it again.
        if (!renameByHandle_) return Unsupported();
        const std::wstring name = target.ForSystem();
        std::vector<unsigned char> buffer(sizeof(RenameInformationEx) + name.size() * sizeof(wchar_t));
        auto* info = reinterpret_cast<RenameInformationEx*>(buffer.data());
        info->Flags = kRenameReplaceIfExists | kRenamePosixSemantics;
        info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
        name.copy(info->FileName, name.size());
        if (::SetFileInformationByHandle(file, kFileRenameInfoEx, info, static_cast<DWORD>(buffer.size()))) return true;
        const DWORD error = ::GetLastError();
        if (error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED && error != ERROR_INVALID_FUNCTION) {
            ::SetLastError(error);
            return false;
        }
        renameByHandle_ = false;
        return Unsupported();
    }
    bool MoveFileOver(const Path& from, const Path& to) override {
        return ::MoveFileExW(from.ForSystem().c_str(), to.ForSystem().c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }
    bool DeleteFile(const Path& path) override { return ::DeleteFileW(path.ForSystem().c_str()) != FALSE; }

private:
    static bool Unsupported() {
        ::SetLastError(ERROR_NOT_SUPPORTED);
        return false;
    }

    std::atomic<bool> renameByHandle_{true};
};

}  // namespace

FileSystem& SystemFileSystem() {
    static Win32FileSystem instance;
    return instance;
}

bool FolderExists(FileSystem& fs, const Path& path) {
    DWORD attributes = fs.GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(FileSystem& fs, const Path& name) {
    WIN32_FIND_DATAW data;
    UniqueFind find = fs.FindFirstFile(name, &data);
    return find && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace platform
