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
    LARGE_INTEGER lastWriteTime{};
    // Deleted (or about to be) while open: its name no longer leads to it.
    bool deleted = false;
};

// Which file a handle holds, as the program tells files apart across runs: the serial number of
// the volume that the path's folder lies on, and the file's index on it. Two names of one file
// (hard links, a symbolic link and its target) give one index.
struct FileIdentity {
    DWORD volumeSerial = 0;
    ULONGLONG fileIndex = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
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
    // Sets an open file's last-write time.
    virtual bool SetLastWriteTime(HANDLE file, LARGE_INTEGER lastWriteTime) = 0;

    virtual UniqueFind FindFirstFile(const Path& pattern, WIN32_FIND_DATAW* data) = 0;
    virtual bool FindNextFile(HANDLE find, WIN32_FIND_DATAW* data) = 0;

    // What a name leads to, without opening it; `deleted` stays false.
    virtual bool GetFileInformationByName(const Path& path, FileInformation* information) = 0;
    virtual bool SetCurrentDirectory(const Path& path) = 0;
    virtual Path GetCurrentDirectory() = 0;

    virtual bool DeleteFile(const Path& path) = 0;

    // The index of an open file on its volume.
    virtual bool GetFileIndex(HANDLE file, ULONGLONG* index) = 0;
    // The bytes free for the user on the volume a folder lies on.
    virtual bool GetFreeBytes(const Path& folder, ULONGLONG* bytes) = 0;
    // The serial number of the volume a folder lies on; 0 for a volume that has none the system
    // can tell (under Wine, a drive letter that names a folder).
    virtual bool GetVolumeSerial(const Path& folder, DWORD* serial) = 0;

    // The program's own state is the user's alone: a folder made with it, and each file made in
    // it, grant the user (and the system) access and nobody else. A folder that is there already
    // is taken as it is; true when it is a folder afterwards.
    virtual bool CreatePrivateFolder(const Path& path) = 0;
    // A new file, not there before, held for reading and writing and shared with nobody.
    virtual UniqueFile CreatePrivateFile(const Path& path) = 0;
    // Whether an open file is owned by the user and grants access to nobody but the user, the
    // system and the administrators: only such a file is trusted as the program's own.
    virtual bool IsPrivateToUser(HANDLE file) = 0;
};

// The real kernel32 file system.
FileSystem& SystemFileSystem();

// Common questions answered through a FileSystem.
bool FolderExists(FileSystem& fs, const Path& path);
bool FileExists(FileSystem& fs, const Path& name);

// A FILETIME as the one 64-bit count the file information holds.
LARGE_INTEGER TimeValue(const FILETIME& time) noexcept;

}  // namespace platform
