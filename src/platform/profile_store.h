#pragma once
// The private-profile service: one value of an INI file, read or written by the file's full path.
// Sections, keys and values are text in the ANSI code page, as the file holds them.
// Tests put a fake in front of the real one where they must inject a fault.
#include "platform/path.h"

#include <windows.h>

namespace platform {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    // As GetPrivateProfileString: copies at most size - 1 bytes into `buffer`, ends them with a
    // zero and returns how many it copied.
    virtual DWORD GetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                            DWORD size, const Path& path) = 0;
    // As WritePrivateProfileString; false when the platform reports failure. A null section,
    // key and value ask the platform to flush its cached copy of the file.
    virtual bool WriteString(const char* section, const char* key, const char* value, const Path& path) = 0;
};

// The real kernel32 private-profile functions.
ProfileStore& SystemProfileStore();

}  // namespace platform
