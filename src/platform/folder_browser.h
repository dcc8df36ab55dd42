#pragma once
// The shell's folder browser and the item identifiers it deals in.
#include "platform/unique_handle.h"

#include <shlobj.h>

#include <string>

namespace platform {

// An item identifier list, released through the shell's allocator (SHGetMalloc).
struct ItemIdTraits {
    using Handle = ITEMIDLIST*;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle item) noexcept;
};
using UniqueItemId = UniqueHandle<ItemIdTraits>;

class FolderBrowser {
public:
    virtual ~FolderBrowser() = default;
    // SHBrowseForFolderA, modal, with COM initialised for the thread around it; the chosen item,
    // or none when the user cancelled.
    virtual UniqueItemId Browse(BROWSEINFOA& info) = 0;
    // The item a path names, parsed by the desktop folder; none when it does not parse.
    virtual UniqueItemId ItemOfPath(const std::wstring& path) = 0;
    virtual UniqueItemId CopyItem(const ITEMIDLIST* item) = 0;
    // The item's file-system path in the ANSI code page, empty when it has none. A path the code
    // page cannot hold is given in its short form where the file system has one, since the long
    // one would arrive with question marks in it.
    virtual std::string PathOfItem(const ITEMIDLIST* item) = 0;
};

FolderBrowser& SystemFolderBrowser();

}  // namespace platform
