#pragma once
// The volume serial numbers of folders, the first part of a file's identity, each asked of the
// system once: under Wine the answer takes a millisecond or two (its mount manager).
#include "platform/file_system.h"

#include <map>
#include <string>

namespace replace {

class VolumeSerials {
public:
    explicit VolumeSerials(platform::FileSystem& fs) : fs_(fs) {}
    // Throws IoFailure when the folder cannot be opened.
    DWORD Of(const platform::Path& folder);

private:
    platform::FileSystem& fs_;
    std::map<std::wstring, DWORD> serials_;
};

}  // namespace replace
