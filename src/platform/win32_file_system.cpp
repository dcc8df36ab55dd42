#include "platform/file_system.h"

namespace platform {

namespace {

class Win32FileSystem final : public FileSystem {
public:
    UniqueFile CreateFile(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                          DWORD flagsAndAttributes) override {
        return UniqueFile{::CreateFileA(path.c_str(), access, share, nullptr, disposition, flagsAndAttributes, nullptr)};
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

    UniqueFind FindFirstFile(const std::string& pattern, WIN32_FIND_DATAA* data) override {
        return UniqueFind{::FindFirstFileA(pattern.c_str(), data)};
    }
    bool FindNextFile(HANDLE find, WIN32_FIND_DATAA* data) override { return ::FindNextFileA(find, data) != FALSE; }

    DWORD GetFileAttributes(const std::string& path) override { return ::GetFileAttributesA(path.c_str()); }
    bool SetFileAttributes(const std::string& path, DWORD attributes) override {
        return ::SetFileAttributesA(path.c_str(), attributes) != FALSE;
    }
    bool SetCurrentDirectory(const std::string& path) override { return ::SetCurrentDirectoryA(path.c_str()) != FALSE; }
    std::string GetCurrentDirectory() override {
        char buffer[MAX_PATH + 1];
        DWORD n = ::GetCurrentDirectoryA(sizeof buffer, buffer);
        return (n == 0 || n >= sizeof buffer) ? std::string() : std::string(buffer, n);
    }

    bool ReplaceFile(const std::string& target, const std::string& replacement) override {
        // ReplaceFileA keeps the target's attributes, security and creation time; where the
        // volume does not support it, a write-through rename is still a single step. The
        // attributes are put back after either, as Wine's ReplaceFileA does not keep them.
        DWORD attributes = ::GetFileAttributesA(target.c_str());
        if (!::ReplaceFileA(target.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                            nullptr) &&
            !::MoveFileExA(replacement.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return false;
        if (attributes == INVALID_FILE_ATTRIBUTES) return true;
        // New contents are due for backup, whatever the old ones were.
        DWORD kept = (attributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_ARCHIVE;
        if (::GetFileAttributesA(target.c_str()) != kept) ::SetFileAttributesA(target.c_str(), kept);
        return true;
    }
    bool DeleteFile(const std::string& path) override { return ::DeleteFileA(path.c_str()) != FALSE; }
};

}  // namespace

FileSystem& SystemFileSystem() {
    static Win32FileSystem instance;
    return instance;
}

bool FolderExists(FileSystem& fs, const std::string& path) {
    DWORD attributes = fs.GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(FileSystem& fs, const std::string& name) {
    WIN32_FIND_DATAA data;
    UniqueFind find = fs.FindFirstFile(name, &data);
    return find && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace platform
