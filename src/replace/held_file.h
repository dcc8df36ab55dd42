#pragma once
// A file held open from its read to its write: for reading and writing, with other programs
// allowed to read it (and to rename it away) but not to write it, so that no byte another program
// writes meanwhile can be lost under the new contents.
#include "platform/file_system.h"

namespace replace {

struct HeldFile {
    platform::UniqueFile handle;
    platform::FileInformation information;
    ULONGLONG index = 0;  // on its volume: the second part of its identity
};

// Holds the file at `path`. Throws EFOpenError when it cannot even be read, EFCreateError when it
// can be read but not written (read-only, or held by a program that shares reading only).
HeldFile HoldFile(platform::FileSystem& fs, const platform::Path& path);

}  // namespace replace
