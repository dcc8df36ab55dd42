#pragma once
// The private-profile service: one value of an INI file, read or written by the file's full path.
// Tests put a fake in front of the real one where they must inject a fault.
#include <windows.h>

namespace platform {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    // As GetPrivateProfileStringA: copies at most size - 1 characters into `buffer`, ends them
    // with a zero and returns how many it copied.
    virtual DWORD GetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                            DWORD size, const char* path) = 0;
    // As WritePrivateProfileStringA; false when the platform reports failure. A null section,
    // key and value ask the platform to flush its cached copy of the file.
    virtual bool WriteString(const char* section, const char* key, const char* value, const char* path) = 0;
};

// The real kernel32 private-profile functions.
ProfileStore& SystemProfileStore();

}  // namespace platform
