#include "widgets/button_edit.h"

#include "platform/errors.h"
#include "widgets/window_text.h"

namespace widgets {

namespace {

constexpr UINT_PTR kButtonId = 1;

bool Held(int key) { return ::GetKeyState(key) < 0; }

}  // namespace

WORD ShortcutOf(UINT key, bool shift, bool ctrl, bool alt) noexcept {
    WORD value = static_cast<WORD>(key & 0xFF);
    if (shift) value |= kShortcutShift;
    if (ctrl) value |= kShortcutCtrl;
    if (alt) value |= kShortcutAlt;
    return value;
}

bool PressesButton(WORD shortcut, WORD buttonShortcut, bool buttonVisible, bool buttonEnabled) noexcept {
    return buttonShortcut != 0 && shortcut == buttonShortcut && buttonVisible && buttonEnabled;
}

ButtonEdit::ButtonEdit(HWND parent, UINT_PTR id, int buttonWidth) : buttonWidth_(buttonWidth) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    HWND edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                  parent, reinterpret_cast<HMENU>(id), instance, nullptr);
    if (!edit) throw platform::errors::CannotCreateWindow("EDIT");
    Subclass(edit);
    button_ = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_ICON, 0, 0, 0, 0, edit,
                                reinterpret_cast<HMENU>(kButtonId), instance, nullptr);
    if (!button_) throw platform::errors::CannotCreateWindow("BUTTON");
    PlaceButton();
}

void ButtonEdit::SetButtonGlyph(platform::UniqueHIcon glyph) {
    ::SendMessageW(button_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(glyph.get()));
    glyph_ = std::move(glyph);
}

void ButtonEdit::SetButtonWidth(int width) {
    buttonWidth_ = width;
    PlaceButton();
}

std::wstring ButtonEdit::Text() const { return WideWindowText(Handle()); }

void ButtonEdit::SetText(const std::wstring& text) { ::SetWindowTextW(Handle(), text.c_str()); }

void ButtonEdit::SetReadOnly(bool readOnly) { ::SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0); }

void ButtonEdit::Change() {
    if (OnChange) OnChange();
}

void ButtonEdit::PlaceButton() {
    RECT client;
    ::GetClientRect(Handle(), &client);
    ::SetWindowPos(button_, nullptr, client.right - buttonWidth_, 0, buttonWidth_, client.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, buttonWidth_));
}

LRESULT ButtonEdit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: return OnKeyDown(message, wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_PRINTCLIENT: return OnPrintClient(reinterpret_cast<HDC>(wParam), lParam);
    case WM_SIZE:
    case WM_SETFONT: {
        // A new font resets the edit's margins.
        LRESULT result = Default(message, wParam, lParam);
        PlaceButton();
        return result;
    }
    default: return Default(message, wParam, lParam);
    }
}

LRESULT ButtonEdit::OnKeyDown(UINT message, WPARAM key, LPARAM flags) {
    const bool alt = (flags & (1 << 29)) != 0 || Held(VK_MENU);
    const WORD shortcut = ShortcutOf(static_cast<UINT>(key), Held(VK_SHIFT), Held(VK_CONTROL), alt);
    if (PressesButton(shortcut, ButtonShortcut, ::IsWindowVisible(button_), ::IsWindowEnabled(button_))) {
        ButtonClick();
        return 0;
    }
    return Default(message, key, flags);
}

LRESULT ButtonEdit::OnPrintClient(HDC dc, LPARAM flags) {
    // A themed button asks the edit to paint its background into the button's own DC. Wine's
    // edit leaves its text area as the DC's clip region, and the button's frame, drawn next,
    // vanished outside it: the DC is handed back as it came.
    const int saved = ::SaveDC(dc);
    LRESULT result = Default(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    ::RestoreDC(dc, saved);
    return result;
}

LRESULT ButtonEdit::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != button_ || HIWORD(wParam) != BN_CLICKED)
        return Default(WM_COMMAND, wParam, lParam);
    // The click leaves the keyboard with the edit, not with its button.
    if (::GetFocus() == button_) ::SetFocus(Handle());
    ButtonClick();
    return 0;
}

}  // namespace widgets
