#pragma once
// The file-system service: the few kernel32 calls the program makes on files and folders.
// Tests put a fake in front of the real one where they must inject a fault.
#include "platform/unique_handle.h"

#include <string>

namespace platform {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Each call reports failure as Win32 does; the caller reads GetLastError() at once.
    virtual UniqueFile CreateFile(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                                  DWORD flagsAndAttributes) = 0;
    virtual bool ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read) = 0;
    virtual bool WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written) = 0;
    virtual bool SetFilePointer(HANDLE file, LONGLONG distance, DWORD method, LONGLONG* newPosition) = 0;
    virtual bool SetEndOfFile(HANDLE file) = 0;
    virtual bool FlushFileBuffers(HANDLE file) = 0;

    virtual UniqueFind FindFirstFile(const std::string& pattern, WIN32_FIND_DATAA* data) = 0;
    virtual bool FindNextFile(HANDLE find, WIN32_FIND_DATAA* data) = 0;

    virtual DWORD GetFileAttributes(const std::string& path) = 0;
    virtual bool SetFileAttributes(const std::string& path, DWORD attributes) = 0;
    virtual bool SetCurrentDirectory(const std::string& path) = 0;
    virtual std::string GetCurrentDirectory() = 0;

    // Puts `replacement` in place of `target` in one step, keeping the target's attributes.
    virtual bool ReplaceFile(const std::string& target, const std::string& replacement) = 0;
    virtual bool DeleteFile(const std::string& path) = 0;
};

// The real kernel32 file system.
FileSystem& SystemFileSystem();

// Common questions answered through a FileSystem.
bool FolderExists(FileSystem& fs, const std::string& path);
bool FileExists(FileSystem& fs, const std::string& name);

}  // namespace platform
