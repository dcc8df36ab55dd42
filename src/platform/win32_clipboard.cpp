#include "platform/clipboard.h"

#include "platform/errors.h"
#include "platform/unique_handle.h"

#include <cstring>

namespace platform {

namespace {

struct GlobalTraits {
    using Handle = HGLOBAL;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::GlobalFree(h); }
};
using UniqueGlobal = UniqueHandle<GlobalTraits>;

class Win32Clipboard final : public Clipboard {
public:
    void SetText(HWND owner, const std::string& text) override {
        if (!::OpenClipboard(owner)) throw errors::CannotOpenClipboard();
        ScopeExit close([] { ::CloseClipboard(); });
        ::EmptyClipboard();
        UniqueGlobal memory{::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)};
        if (!memory) throw errors::OutOfMemory();
        char* bytes = static_cast<char*>(::GlobalLock(memory.get()));
        if (!bytes) throw errors::OutOfMemory();
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        ::GlobalUnlock(memory.get());
        // Once the clipboard has taken the memory, it is the clipboard's to free.
        if (::SetClipboardData(CF_TEXT, memory.get())) memory.release();
    }
};

}  // namespace

Clipboard& SystemClipboard() {
    static Win32Clipboard instance;
    return instance;
}

}  // namespace platform
