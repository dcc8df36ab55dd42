#pragma once
// A one-line edit (a Unicode window holding UTF-16 text) with a push button inside its right
// edge. The button is a child window of the edit, and the edit's text stops short of it. A key
// combination, Alt+Down unless changed, presses the button from the keyboard.
#include "platform/unique_handle.h"
#include "widgets/window.h"

#include <functional>
#include <string>

namespace widgets {

// Key combinations as one value: the virtual-key code in the low byte, and flags for the
// modifiers held with it.
constexpr WORD kShortcutShift = 0x2000, kShortcutCtrl = 0x4000, kShortcutAlt = 0x8000;
WORD ShortcutOf(UINT key, bool shift, bool ctrl, bool alt) noexcept;
// Whether a key-down whose value is `shortcut` presses a button that answers to `buttonShortcut`.
bool PressesButton(WORD shortcut, WORD buttonShortcut, bool buttonVisible, bool buttonEnabled) noexcept;

class ButtonEdit : public Window {
public:
    // `buttonWidth` in pixels of the screen.
    ButtonEdit(HWND parent, UINT_PTR id, int buttonWidth);

    HWND Button() const noexcept { return button_; }
    void SetButtonGlyph(platform::UniqueHIcon glyph);
    // `width` in pixels of the screen, for its dpi.
    void SetButtonWidth(int width);
    // The key combination that presses the button: Alt+Down.
    WORD ButtonShortcut = ShortcutOf(VK_DOWN, false, false, true);

    std::wstring Text() const;
    // Sets the text as the program's own change: no change event.
    void SetText(const std::wstring& text);
    // A read-only edit takes no typing, cutting or pasting; selecting and copying still work.
    void SetReadOnly(bool readOnly);

    // Raised where a change made through this control is to be announced.
    std::function<void()> OnChange;

protected:
    // What a press of the button does, by the mouse or by the shortcut.
    virtual void ButtonClick() {}
    void Change();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnKeyDown(UINT message, WPARAM key, LPARAM flags);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnPrintClient(HDC dc, LPARAM flags);
    // The button along the right edge of the client area, and the text's margin beside it.
    void PlaceButton();

    int buttonWidth_;
    HWND button_ = nullptr;
    platform::UniqueHIcon glyph_;
};

}  // namespace widgets
