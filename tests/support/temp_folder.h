#pragma once
// A fresh folder under the Windows temporary folder, removed with everything in it at the end.
// Names are given in UTF-8, as the test sources spell them, so that any name can be written.
#include "platform/path.h"

#include <string>
#include <vector>

namespace test_support {

// A name written in UTF-8 as the Unicode text the file system keeps.
std::wstring WideName(const std::string& utf8);
std::string Utf8Name(const std::wstring& text);

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Absolute, without a trailing backslash.
    const platform::Path& Path() const { return path_; }
    platform::Path PathOf(const std::string& name) const { return path_.Join(WideName(name)); }
    // Creates or overwrites the file `name` with `bytes`; returns its path.
    platform::Path WriteFile(const std::string& name, const std::string& bytes) const;
    // Creates the sub-folder `name`; returns its path.
    platform::Path MakeFolder(const std::string& name) const;
    // The names of the folder's entries (not recursive), sorted.
    std::vector<std::wstring> Names() const;

private:
    platform::Path path_;
};

// The names of a folder's entries (not recursive), sorted.
std::vector<std::wstring> NamesIn(const platform::Path& folder);
// A file's bytes; throws std::runtime_error when it cannot be read.
std::string ReadFileBytes(const platform::Path& path);
// Creates or overwrites a file with `bytes`; throws std::runtime_error on failure.
void WriteFileBytes(const platform::Path& path, const std::string& bytes);
// Creates a folder, of any depth of path; throws std::runtime_error on failure.
void MakeFolderAt(const platform::Path& path);
// Removes a file or a folder with everything in it, clearing read-only attributes on the way.
void RemoveTree(const platform::Path& path);

}  // namespace test_support

namespace platform {
// How a failed check prints a path.
void PrintTo(const Path& path, std::ostream* out);
}  // namespace platform
