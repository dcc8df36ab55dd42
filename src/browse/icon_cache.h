#pragma once
// The shell icons of the file list's rows, asked for once per kind of file instead of on every
// paint: a shell lookup per visible row per frame makes scrolling a long list crawl.
#include "platform/path.h"
#include "platform/unique_handle.h"

#include <string>
#include <unordered_map>

namespace platform {
class Shell;
}

namespace browse {

// What a file's icon depends on: its extension, without regard to letter case; or, for the kinds
// whose every file may show a picture of its own (programs, icons, cursors, shortcuts), the file.
std::wstring IconKey(const platform::Path& path);

class IconCache {
public:
    explicit IconCache(platform::Shell& shell) : shell_(shell) {}

    // The icon for the file at `path`, owned by the cache; null when the shell gives none, which
    // is remembered too.
    HICON Icon(const platform::Path& path);
    // Forgets every icon, so that the next paint asks the shell afresh.
    void Clear() noexcept { icons_.clear(); }

private:
    platform::Shell& shell_;
    std::unordered_map<std::wstring, platform::UniqueHIcon> icons_;
};

}  // namespace browse
