#include "platform/clipboard.h"

#include "platform/errors.h"
#include "platform/unique_handle.h"

#include <cstring>

namespace platform {

namespace {

using UniqueGlobal = UniqueHandle<HGLOBAL, &::GlobalFree>;

class Win32Clipboard final : public Clipboard {
public:
    void SetText(HWND owner, const std::wstring& text) override {
        if (!::OpenClipboard(owner)) throw errors::CannotOpenClipboard();
        ScopeExit close([] { ::CloseClipboard(); });
        ::EmptyClipboard();
        const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        UniqueGlobal memory{::GlobalAlloc(GMEM_MOVEABLE, bytes)};
        if (!memory) throw errors::OutOfMemory();
        void* target = ::GlobalLock(memory.get());
        if (!target) throw errors::OutOfMemory();
        std::memcpy(target, text.c_str(), bytes);
        ::GlobalUnlock(memory.get());
        // Once the clipboard has taken the memory, it is the clipboard's to free. The system
        // offers the text in the ANSI code page as well to whoever asks for that.
        if (::SetClipboardData(CF_UNICODETEXT, memory.get())) memory.release();
    }
};

}  // namespace

Clipboard& SystemClipboard() {
    static Win32Clipboard instance;
    return instance;
}

}  // namespace platform
