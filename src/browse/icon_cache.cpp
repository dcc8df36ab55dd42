#include "browse/icon_cache.h"

#include "platform/path_parts.h"
#include "platform/shell.h"

namespace browse {

namespace {

// Kinds whose icon is taken from the file itself rather than from its type.
constexpr const char* kOwnIconExtensions[] = {".exe", ".ico", ".cur", ".ani", ".lnk"};

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

std::string IconKey(const std::string& path) {
    // Split in whole characters: a second byte can be 0x5C. A dot is never a second byte.
    const std::string name = platform::FileNameOf(path);
    const size_t dot = name.rfind('.');
    // An extension key begins with a dot and holds no separator, so it never equals a path.
    if (dot == std::string::npos) return ".";
    const std::string extension = LowerAscii(name.substr(dot));
    for (const char* own : kOwnIconExtensions)
        if (extension == own) return path;
    return extension;
}

HICON IconCache::Icon(const std::string& path) {
    std::string key = IconKey(path);
    auto found = icons_.find(key);
    if (found == icons_.end())
        found = icons_.emplace(std::move(key), platform::UniqueHIcon{shell_.AssociatedIcon(path)}).first;
    return found->second.get();
}

}  // namespace browse
