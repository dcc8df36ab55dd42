#include "browse/split_path_text.h"

#include "browse/current_directory.h"

namespace browse {

bool HasWildcard(const std::wstring& text) { return text.find_first_of(L"*?") != std::wstring::npos; }

std::wstring DrivePart(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2);
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
        size_t serverEnd = path.find(L'\\', 2);
        size_t shareEnd = serverEnd == std::wstring::npos ? serverEnd : path.find(L'\\', serverEnd + 1);
        return path.substr(0, shareEnd);
    }
    return std::wstring();
}

PathParts SplitPathTextEnteringFolders(platform::FileSystem& fs, const std::wstring& text) {
    const platform::Path saved = fs.GetCurrentDirectory();
    PathParts parts;
    // A current directory on a server share has no letter to lend.
    if (DrivePart(saved.Text()).size() == 2) parts.drive = saved.Text()[0];
    parts.folder = text;
    std::wstring root;
    if (text.size() >= 2 && text.front() == L'[' && text.back() == L']') {
        parts.folder = text.substr(1, text.size() - 2);
    } else {
        root = DrivePart(text);
        if (root.empty()) root = DrivePart(saved.Text());
        else parts.folder.erase(0, root.size());
        parts.drive = (root.size() >= 2 && root[1] == L':') ? root[0] : 0;
    }

    platform::ScopeExit restore{[&] {
        if (platform::FolderExists(fs, saved)) fs.SetCurrentDirectory(saved);
    }};
    // A folder given from the root needs only the drive: the drive's own current folder, where a
    // drive-relative text starts, may be the listed one that refuses entry now.
    const bool fromRoot = !parts.folder.empty() && parts.folder[0] == L'\\';
    if (!root.empty() && platform::FolderExists(fs, platform::Path(root)))
        ChangeDirectory(fs, platform::Path(fromRoot ? root + L"\\" : root));

    size_t separator = parts.folder.find_last_of(L"\\:");
    parts.file = separator == std::wstring::npos ? parts.folder : parts.folder.substr(separator + 1);
    if (parts.folder.size() == parts.file.size() + 1) {
        parts.folder.assign(1, L'\\');
    } else if (parts.folder.size() > parts.file.size()) {
        parts.folder.erase(parts.folder.size() - parts.file.size() - 1);
    } else {
        std::wstring current = fs.GetCurrentDirectory().Text();
        parts.folder = current.substr(DrivePart(current).size());
        if (parts.folder.empty()) parts.folder.assign(1, L'\\');
    }
    if (!parts.folder.empty()) ChangeDirectory(fs, platform::Path(parts.folder));

    // A plain name that is no file here must be a folder.
    if (!parts.file.empty() && !HasWildcard(parts.file) && !platform::FileExists(fs, platform::Path(parts.file))) {
        ChangeDirectory(fs, platform::Path(parts.file));
        parts.folder = (parts.folder == L"\\" ? parts.folder : parts.folder + L"\\") + parts.file;
        parts.file.clear();
    }
    if (parts.drive == 0) parts.folder = root + parts.folder;
    return parts;
}

}  // namespace browse
