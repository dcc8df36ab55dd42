#include "browse/icon_cache.h"

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
    const size_t name = path.find_last_of("\\/:");
    const size_t dot = path.rfind('.');
    // An extension key begins with a dot and holds no separator, so it never equals a path.
    if (dot == std::string::npos || (name != std::string::npos && dot < name)) return ".";
    const std::string extension = LowerAscii(path.substr(dot));
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
