#include "platform/file_system.h"

namespace platform {

namespace {

class Win32FileSystem final : public FileSystem {
public:
    UniqueFile CreateFile(const Path& path, DWORD access, DWORD share, DWORD disposition,
                          DWORD flagsAndAttributes) override {
        return UniqueFile{::CreateFileW(path.ForSystem().c_str(), access, share, nullptr, disposition, flagsAndAttributes, nullptr)};
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

    UniqueFind FindFirstFile(const Path& pattern, WIN32_FIND_DATAW* data) override {
        return UniqueFind{::FindFirstFileW(pattern.ForSystem().c_str(), data)};
    }
    bool FindNextFile(HANDLE find, WIN32_FIND_DATAW* data) override { return ::FindNextFileW(find, data) != FALSE; }

    DWORD GetFileAttributes(const Path& path) override { return ::GetFileAttributesW(path.ForSystem().c_str()); }
    bool SetFileAttributes(const Path& path, DWORD attributes) override {
        return ::SetFileAttributesW(path.ForSystem().c_str(), attributes) != FALSE;
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

    bool ReplaceFile(const Path& target, const Path& replacement) override {
        // ReplaceFileA keeps the target's attributes, security and creation time; where the
        // volume does not support it, a write-through rename is still a single step. The
        // attributes are put back after either, as Wine's ReplaceFileA does not keep them.
        const std::wstring to = target.ForSystem(), from = replacement.ForSystem();
        DWORD attributes = ::GetFileAttributesW(to.c_str());
        if (!::ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) &&
            !::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return false;
        if (attributes == INVALID_FILE_ATTRIBUTES) return true;
        // New contents are due for backup, whatever the old ones were.
        DWORD kept = (attributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_ARCHIVE;
        if (::GetFileAttributesW(to.c_str()) != kept) ::SetFileAttributesW(to.c_str(), kept);
        return true;
    }
    bool DeleteFile(const Path& path) override { return ::DeleteFileW(path.ForSystem().c_str()) != FALSE; }
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
