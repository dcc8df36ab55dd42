#pragma once
// The clipboard service: putting a text on it.
#include <windows.h>

#include <string>

namespace platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard's content with `text` as CF_TEXT, `owner` opening it. Throws
    // errors::CannotOpenClipboard() when another window holds it open.
    virtual void SetText(HWND owner, const std::wstring& text) = 0;
};

Clipboard& SystemClipboard();

}  // namespace platform
