#pragma once
// The shell's folder browser and the item identifiers it deals in.
#include "platform/path.h"
#include "platform/unique_handle.h"

#include <shlobj.h>

#include <string>

namespace platform {

// An item identifier list, released through the shell's allocator (SHGetMalloc).
void FreeItemId(ITEMIDLIST* item) noexcept;
using UniqueItemId = UniqueHandle<ITEMIDLIST*, &FreeItemId>;

class FolderBrowser {
public:
    virtual ~FolderBrowser() = default;
    // SHBrowseForFolder, modal, with COM initialised for the thread around it; the chosen item,
    // or none when the user cancelled.
    virtual UniqueItemId Browse(BROWSEINFOW& info) = 0;
    // The item a path names, parsed by the desktop folder; none when it does not parse.
    virtual UniqueItemId ItemOfPath(const std::wstring& path) = 0;
    virtual UniqueItemId CopyItem(const ITEMIDLIST* item) = 0;
    // The item's file-system path, of any length; empty when it has none.
    virtual Path PathOfItem(const ITEMIDLIST* item) = 0;
};

FolderBrowser& SystemFolderBrowser();

}  // namespace platform
