#pragma once
// The file-system service: the few kernel32 calls the program makes on files and folders.
// Tests put a fake in front of the real one where they must inject a fault.
#include "platform/path.h"
#include "platform/unique_handle.h"

namespace platform {

// What the rewrite needs to know of an open file.
struct FileInformation {
    LONGLONG size = 0;
    DWORD attributes = 0;
    LARGE_INTEGER creationTime{};
    LARGE_INTEGER lastWriteTime{};
    // Deleted (or about to be) while open: its name no longer leads to it.
    bool deleted = false;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Each call reports failure as Win32 does; the caller reads GetLastError() at once. Paths of any
    // length are taken.
    virtual UniqueFile CreateFile(const Path& path, DWORD access, DWORD share, DWORD disposition,
                                  DWORD flagsAndAttributes) = 0;
    virtual bool ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read) = 0;
    virtual bool WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written) = 0;
    virtual bool SetFilePointer(HANDLE file, LONGLONG distance, DWORD method, LONGLONG* newPosition) = 0;
    virtual bool SetEndOfFile(HANDLE file) = 0;
    virtual bool FlushFileBuffers(HANDLE file) = 0;
    virtual bool GetFileInformation(HANDLE file, FileInformation* information) = 0;
    // Sets an open file's creation time, last-write time and attributes; a zero time or zero
    // attributes leave that one as it is.
    virtual bool SetTimesAndAttributes(HANDLE file, LARGE_INTEGER creationTime, LARGE_INTEGER lastWriteTime,
                                       DWORD attributes) = 0;

    virtual UniqueFind FindFirstFile(const Path& pattern, WIN32_FIND_DATAW* data) = 0;
    virtual bool FindNextFile(HANDLE find, WIN32_FIND_DATAW* data) = 0;

    // What a name leads to, without opening it; `deleted` stays false.
    virtual bool GetFileInformationByName(const Path& path, FileInformation* information) = 0;
    virtual bool SetCurrentDirectory(const Path& path) = 0;
    virtual Path GetCurrentDirectory() = 0;

    // Renames the open file `file` (opened with DELETE access) to `target` in one step, replacing
    // it. With `targetHeld`, `target` may still be open with delete sharing (the rename with POSIX
    // semantics): false, with ERROR_NOT_SUPPORTED, where the system has no such rename. Without,
    // nobody may hold `target` open.
    virtual bool RenameOpenFileOver(HANDLE file, const Path& target, bool targetHeld) = 0;
    virtual bool DeleteFile(const Path& path) = 0;
    // A new folder, given `attributes` (FILE_ATTRIBUTE_HIDDEN...) as well as it can be.
    virtual bool CreateFolder(const Path& path, DWORD attributes) = 0;
    // Removes a folder, only if it is empty.
    virtual bool RemoveFolder(const Path& path) = 0;
};

// The real kernel32 file system.
FileSystem& SystemFileSystem();

// Common questions answered through a FileSystem.
bool FolderExists(FileSystem& fs, const Path& path);
bool FileExists(FileSystem& fs, const Path& name);

// A FILETIME as the one 64-bit count the file information holds.
LARGE_INTEGER TimeValue(const FILETIME& time) noexcept;

}  // namespace platform
