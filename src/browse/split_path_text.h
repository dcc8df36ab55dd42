#pragma once
// Splitting a path text, as the folder chooser and the settings give it, into a drive letter,
// a folder and a file part (a name or a pattern), resolved against the current directory.
#include "platform/file_system.h"

#include <string>

namespace browse {

struct PathParts {
    wchar_t drive = 0;  // the drive letter, or 0 for none (a server-and-share path)
    std::wstring folder;
    std::wstring file;
};

// Resolves the text by making folders current on the way (a bare drive such as C: enters that
// drive's own current folder), and always puts the current directory back. A folder that cannot
// be made current raises EInOutError.
PathParts SplitPathTextEnteringFolders(platform::FileSystem& fs, const std::wstring& text);

// "C:" for a path that begins with a drive, "\\server\share" for one that begins with a server
// and share, else empty.
std::wstring DrivePart(const std::wstring& path);

bool HasWildcard(const std::wstring& text);

}  // namespace browse
