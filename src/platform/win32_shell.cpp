#include "platform/shell.h"

#include <shellapi.h>

namespace platform {

namespace {

// The icon of the file's type, found from its name alone: for a path too long for the shell.
HICON TypeIcon(const std::wstring& name) {
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, SHGFI_ICON | SHGFI_USEFILEATTRIBUTES))
        return nullptr;
    return info.hIcon;
}

class Win32Shell final : public Shell {
public:
    void Open(HWND owner, const Path& file) override {
        ::ShellExecuteW(owner, L"open", file.ForShell().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    HICON AssociatedIcon(const Path& path) override {
        // ExtractAssociatedIcon takes at most MAX_PATH characters and may write the icon's source
        // path back into its buffer.
        const std::wstring shellPath = path.ForShell();
        if (shellPath.size() >= MAX_PATH) return TypeIcon(path.FileName());
        wchar_t buffer[MAX_PATH] = {};
        shellPath.copy(buffer, MAX_PATH - 1);
        WORD index = 0;
        return ::ExtractAssociatedIconW(::GetModuleHandleW(nullptr), buffer, &index);
    }
};

}  // namespace

Shell& SystemShell() {
    static Win32Shell instance;
    return instance;
}

}  // namespace platform
