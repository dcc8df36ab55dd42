#include "platform/shell.h"

#include <shellapi.h>

namespace platform {

namespace {

class Win32Shell final : public Shell {
public:
    void Open(HWND owner, const std::string& file) override {
        ::ShellExecuteA(owner, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    HICON AssociatedIcon(const std::string& path) override {
        // ExtractAssociatedIconA may write the icon's source path back into its buffer.
        char buffer[MAX_PATH * 2] = {};
        path.copy(buffer, sizeof buffer - 1);
        WORD index = 0;
        return ::ExtractAssociatedIconA(::GetModuleHandleA(nullptr), buffer, &index);
    }
};

}  // namespace

Shell& SystemShell() {
    static Win32Shell instance;
    return instance;
}

}  // namespace platform
