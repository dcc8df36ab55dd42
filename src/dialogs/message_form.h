#pragma once
// The message dialog's window: the kind's icon, the message and a row of buttons, built from
// the layout arithmetic, with its own modal loop and keyboard.
#include "dialogs/message_codes.h"
#include "platform/unique_handle.h"
#include "widgets/window.h"

#include <string>
#include <vector>

namespace dialogs {

class TMessageForm : public widgets::Window {
public:
    // Builds the dialog, laid out and placed but hidden.
    TMessageForm(const std::wstring& text, MessageKind kind, ButtonSet buttons);
    ~TMessageForm() override;

    // Shows the dialog modally and returns the result code of the answer.
    int ShowModal();

    // The children, in creation order; Image is null for a kind without an icon.
    HWND Image() const noexcept { return image_; }
    HWND Message() const noexcept { return message_; }
    const std::vector<HWND>& Buttons() const noexcept { return buttons_; }
    HWND DefaultButton() const noexcept { return default_; }
    HWND CancelButton() const noexcept { return cancel_; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle, UINT_PTR id,
                     widgets::Charset charset = widgets::Charset::Ansi);
    // Font, icon, measures and places for `dpi`; sizes the window and returns its outer size.
    SIZE Arrange(int dpi);
    LRESULT OnDpiChanged(WPARAM dpi, const RECT& suggested);
    void RunModalLoop();

    // Keys are seen here before the control that has the focus; true when one was used.
    bool PreviewKey(const MSG& msg);
    bool KeyDown(WPARAM key);
    bool AccessLetter(char letter);
    void MoveFocus(int step);
    void Press(HWND button);
    void CopyToClipboard();

    LRESULT Command(WORD id, WORD code, HWND control);
    LRESULT Activate(WPARAM state);
    void ShowFocusAsDefault(HWND focused);
    int IndexOf(HWND control) const;

    platform::UniqueHFont font_;
    const char* icon_;  // the kind's system icon; null for none
    platform::UniqueHIcon iconImage_;
    bool rightToLeft_ = false;
    int dpi_ = 0;  // the one its font and layout are for
    HWND image_ = nullptr;
    HWND message_ = nullptr;
    std::vector<HWND> buttons_;
    std::vector<int> row_;  // table indexes of the buttons
    HWND default_ = nullptr;
    HWND cancel_ = nullptr;
    HWND lastFocus_ = nullptr;
    int modalResult_ = result::None;
};

}  // namespace dialogs
