#pragma once
// Splitting a path text, as the folder chooser and the settings give it, into a drive letter,
// a folder and a file part (a name or a pattern), resolved against the current directory.
#include "platform/file_system.h"

#include <string>

namespace browse {

struct PathParts {
    char drive = 0;  // the drive letter, or 0 for none (a server-and-share path)
    std::string folder;
    std::string file;
};

// Works through the process's current directory and always puts it back. A folder that cannot
// be made current raises EInOutError.
PathParts SplitPathText(platform::FileSystem& fs, const std::string& text);

// "C:" for a path that begins with a drive, "\\server\share" for one that begins with a server
// and share, else empty.
std::string DrivePart(const std::string& path);

}  // namespace browse
