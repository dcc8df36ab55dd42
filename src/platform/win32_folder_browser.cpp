#include "platform/ansi_text.h"
#include "platform/folder_browser.h"

#include <objbase.h>

namespace platform {

namespace {

class Win32FolderBrowser final : public FolderBrowser {
public:
    UniqueItemId Browse(BROWSEINFOA& info) override {
        const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        // Only a successful initialisation is paired: a thread already in another apartment
        // keeps its COM as it is.
        ScopeExit uninitialise([com] {
            if (SUCCEEDED(com)) ::CoUninitialize();
        });
        return UniqueItemId{::SHBrowseForFolderA(&info)};
    }

    UniqueItemId ItemOfPath(const std::wstring& path) override {
        if (path.empty()) return {};
        IShellFolder* desktop = nullptr;
        if (FAILED(::SHGetDesktopFolder(&desktop))) return {};
        ScopeExit release([desktop] { desktop->Release(); });
        std::wstring name = path;  // ParseDisplayName takes a writable text
        ITEMIDLIST* item = nullptr;
        if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &item, nullptr))) return {};
        return UniqueItemId{item};
    }

    UniqueItemId CopyItem(const ITEMIDLIST* item) override {
        return UniqueItemId{item ? ::ILClone(item) : nullptr};
    }

    std::string PathOfItem(const ITEMIDLIST* item) override {
        wchar_t path[MAX_PATH] = {};
        if (!item || !::SHGetPathFromIDListW(item, path)) return {};
        bool lossy = false;
        std::string ansi = AnsiFromWide(path, &lossy);
        if (!lossy) return ansi;
        wchar_t shortPath[MAX_PATH] = {};
        DWORD n = ::GetShortPathNameW(path, shortPath, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return ansi;
        std::string shortAnsi = AnsiFromWide(shortPath, &lossy);
        return lossy ? ansi : shortAnsi;
    }
};

}  // namespace

void ItemIdTraits::Close(Handle item) noexcept {
    IMalloc* allocator = nullptr;
    if (FAILED(::SHGetMalloc(&allocator))) return;
    allocator->Free(item);
    allocator->Release();
}

FolderBrowser& SystemFolderBrowser() {
    static Win32FolderBrowser instance;
    return instance;
}

}  // namespace platform
