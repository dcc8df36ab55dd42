#pragma once
// A FileSystem that passes every call to another one; a test overrides only the calls in which
// it injects a fault.
#include "platform/file_system.h"

namespace test_support {

class ForwardingFileSystem : public platform::FileSystem {
public:
    explicit ForwardingFileSystem(platform::FileSystem& inner = platform::SystemFileSystem()) : inner_(inner) {}

    platform::UniqueFile CreateFile(const platform::Path& path, DWORD access, DWORD share, DWORD disposition,
                                    DWORD flagsAndAttributes) override {
        return inner_.CreateFile(path, access, share, disposition, flagsAndAttributes);
    }
    bool ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read) override {
        return inner_.ReadFile(file, buffer, count, read);
    }
    bool WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written) override {
        return inner_.WriteFile(file, buffer, count, written);
    }
    bool SetFilePointer(HANDLE file, LONGLONG distance, DWORD method, LONGLONG* newPosition) override {
        return inner_.SetFilePointer(file, distance, method, newPosition);
    }
    bool SetEndOfFile(HANDLE file) override { return inner_.SetEndOfFile(file); }
    bool FlushFileBuffers(HANDLE file) override { return inner_.FlushFileBuffers(file); }
    bool GetFileInformation(HANDLE file, platform::FileInformation* information) override {
        return inner_.GetFileInformation(file, information);
    }
    bool SetLastWriteTime(HANDLE file, LARGE_INTEGER lastWriteTime) override {
        return inner_.SetLastWriteTime(file, lastWriteTime);
    }
    platform::UniqueFind FindFirstFile(const platform::Path& pattern, WIN32_FIND_DATAW* data) override {
        return inner_.FindFirstFile(pattern, data);
    }
    bool FindNextFile(HANDLE find, WIN32_FIND_DATAW* data) override { return inner_.FindNextFile(find, data); }
    bool GetFileInformationByName(const platform::Path& path, platform::FileInformation* information) override {
        return inner_.GetFileInformationByName(path, information);
    }
    bool SetCurrentDirectory(const platform::Path& path) override { return inner_.SetCurrentDirectory(path); }
    platform::Path GetCurrentDirectory() override { return inner_.GetCurrentDirectory(); }
    bool DeleteFile(const platform::Path& path) override { return inner_.DeleteFile(path); }
    bool GetFileIndex(HANDLE file, ULONGLONG* index) override { return inner_.GetFileIndex(file, index); }
    bool GetFreeBytes(const platform::Path& folder, ULONGLONG* bytes) override {
        return inner_.GetFreeBytes(folder, bytes);
    }
    bool GetVolumeSerial(const platform::Path& folder, DWORD* serial) override {
        return inner_.GetVolumeSerial(folder, serial);
    }
    bool CreatePrivateFolder(const platform::Path& path) override { return inner_.CreatePrivateFolder(path); }
    platform::UniqueFile CreatePrivateFile(const platform::Path& path) override { return inner_.CreatePrivateFile(path); }
    bool IsPrivateToUser(HANDLE file) override { return inner_.IsPrivateToUser(file); }

private:
    platform::FileSystem& inner_;
};

}  // namespace test_support
