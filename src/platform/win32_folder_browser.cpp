#include "platform/folder_browser.h"

#include <objbase.h>

namespace platform {

namespace {

class Win32FolderBrowser final : public FolderBrowser {
public:
    UniqueItemId Browse(BROWSEINFOW& info) override {
        const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        // Only a successful initialisation is paired: a thread already in another apartment
        // keeps its COM as it is.
        ScopeExit uninitialise([com] {
            if (SUCCEEDED(com)) ::CoUninitialize();
        });
        return UniqueItemId{::SHBrowseForFolderW(&info)};
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

    Path PathOfItem(const ITEMIDLIST* item) override {
        // The longest path the system knows, not the 260 characters of SHGetPathFromIDListW.
        constexpr DWORD kLongestPath = 32768;
        std::wstring path(kLongestPath, L'\0');
        if (!item || !::SHGetPathFromIDListEx(item, path.data(), kLongestPath, GPFIDL_DEFAULT)) return {};
        path.resize(path.find(L'\0'));
        return Path(std::move(path));
    }
};

}  // namespace

void FreeItemId(ITEMIDLIST* item) noexcept {
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
