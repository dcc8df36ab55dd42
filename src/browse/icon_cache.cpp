#include "browse/icon_cache.h"

#include "platform/shell.h"

namespace browse {

namespace {

// Kinds whose icon is taken from the file itself rather than from its type.
constexpr const wchar_t* kOwnIconExtensions[] = {L".exe", L".ico", L".cur", L".ani", L".lnk"};

std::wstring LowerAscii(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

}  // namespace

std::wstring IconKey(const platform::Path& path) {
    const std::wstring name = path.FileName();
    const size_t dot = name.rfind(L'.');
    // An extension key begins with a dot and holds no separator, so it never equals a path.
    if (dot == std::wstring::npos) return L".";
    const std::wstring extension = LowerAscii(name.substr(dot));
    for (const wchar_t* own : kOwnIconExtensions)
        if (extension == own) return path.Text();
    return extension;
}

HICON IconCache::Icon(const platform::Path& path) {
    std::wstring key = IconKey(path);
    auto found = icons_.find(key);
    if (found == icons_.end())
        found = icons_.emplace(std::move(key), platform::UniqueHIcon{shell_.AssociatedIcon(path)}).first;
    return found->second.get();
}

}  // namespace browse
