#include "browse/split_path_text.h"

#include "browse/current_directory.h"
#include "browse/path_text.h"

namespace browse {

namespace {

bool HasWildcard(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

}  // namespace

std::string DrivePart(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        size_t serverEnd = NextBackslash(path, 2);
        size_t shareEnd = serverEnd == std::string::npos ? serverEnd : NextBackslash(path, serverEnd + 1);
        return path.substr(0, shareEnd);
    }
    return std::string();
}

PathParts SplitPathText(platform::FileSystem& fs, const std::string& text) {
    const std::string saved = fs.GetCurrentDirectory();
    PathParts parts;
    // A current directory on a server share has no letter to lend.
    if (DrivePart(saved).size() == 2) parts.drive = saved[0];
    parts.folder = text;
    std::string root;
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
        parts.folder = text.substr(1, text.size() - 2);
    } else {
        root = DrivePart(text);
        if (root.empty()) root = DrivePart(saved);
        else parts.folder.erase(0, root.size());
        parts.drive = (root.size() >= 2 && root[1] == ':') ? root[0] : 0;
    }

    platform::ScopeExit restore{[&] {
        if (platform::FolderExists(fs, saved)) fs.SetCurrentDirectory(saved);
    }};
    // A bare drive such as C: enters that drive's own current folder.
    if (!root.empty() && platform::FolderExists(fs, root)) ChangeDirectory(fs, root);

    size_t separator = LastDelimiter(parts.folder, "\\:");
    parts.file = separator == std::string::npos ? parts.folder : parts.folder.substr(separator + 1);
    if (parts.folder.size() == parts.file.size() + 1) {
        parts.folder.assign(1, '\\');
    } else if (parts.folder.size() > parts.file.size()) {
        parts.folder.erase(parts.folder.size() - parts.file.size() - 1);
    } else {
        std::string current = fs.GetCurrentDirectory();
        parts.folder = current.substr(DrivePart(current).size());
        if (parts.folder.empty()) parts.folder.assign(1, '\\');
    }
    if (!parts.folder.empty()) ChangeDirectory(fs, parts.folder);

    // A plain name that is no file here must be a folder.
    if (!parts.file.empty() && !HasWildcard(parts.file) && !platform::FileExists(fs, parts.file)) {
        ChangeDirectory(fs, parts.file);
        parts.folder = (parts.folder == "\\" ? parts.folder : parts.folder + "\\") + parts.file;
        parts.file.clear();
    }
    if (parts.drive == 0) parts.folder = root + parts.folder;
    return parts;
}

}  // namespace browse
