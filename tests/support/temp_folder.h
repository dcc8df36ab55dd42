#pragma once
// A fresh folder under the Windows temporary folder, removed with everything in it at the end.
#include <string>
#include <vector>

namespace test_support {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Absolute, without a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string PathOf(const std::string& name) const { return path_ + "\\" + name; }
    // Creates or overwrites the file `name` with `bytes`; returns its path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const;
    // Creates the sub-folder `name`; returns its path.
    std::string MakeFolder(const std::string& name) const;
    // The names of the folder's entries (not recursive), sorted.
    std::vector<std::string> Names() const;

private:
    std::string path_;
};

// A file's bytes; throws std::runtime_error when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Creates or overwrites a file with `bytes`; throws std::runtime_error on failure.
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Removes a file or a folder with everything in it, clearing read-only attributes on the way.
void RemoveTree(const std::string& path);

}  // namespace test_support
