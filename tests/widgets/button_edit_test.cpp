// The button edit: which keys press its button, and its button and text margin on a bare window.
#include "widgets/button_edit.h"

#include <gtest/gtest.h>

#include <windowsx.h>

namespace {

using widgets::PressesButton;
using widgets::ShortcutOf;

TEST(ButtonEditKeys, AKeyAndItsModifiersMakeOneShortcutValue) {
    struct Case {
        UINT key;
        bool shift, ctrl, alt;
        WORD value;
    };
    // Values as the form's description writes them: 32808 is Alt+Down.
    const Case cases[] = {
        {VK_DOWN, false, false, true, 32808}, {VK_DOWN, false, false, false, 40},
        {VK_DOWN, true, false, true, 41000},  {'A', true, true, false, 24641},
        {VK_F4, false, true, true, 49267},    {VK_RETURN, false, false, false, 13},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortcutOf(c.key, c.shift, c.ctrl, c.alt), c.value) << c.key << c.shift << c.ctrl << c.alt;
}

TEST(ButtonEditKeys, OnlyTheButtonsOwnShortcutPressesItAndOnlyWhenItIsVisibleAndEnabled) {
    const WORD altDown = ShortcutOf(VK_DOWN, false, false, true);
    EXPECT_TRUE(PressesButton(altDown, altDown, true, true));
    EXPECT_FALSE(PressesButton(altDown, altDown, false, true)) << "hidden";
    EXPECT_FALSE(PressesButton(altDown, altDown, true, false)) << "disabled";
    EXPECT_FALSE(PressesButton(ShortcutOf(VK_DOWN, false, false, false), altDown, true, true)) << "Down alone";
    EXPECT_FALSE(PressesButton(ShortcutOf(VK_DOWN, true, false, true), altDown, true, true)) << "Shift+Alt+Down";
    EXPECT_FALSE(PressesButton(ShortcutOf(VK_UP, false, false, true), altDown, true, true)) << "Alt+Up";
    // A button without a shortcut is pressed by no key.
    EXPECT_FALSE(PressesButton(0, 0, true, true));
}

class Pressed : public widgets::ButtonEdit {
public:
    using ButtonEdit::ButtonEdit;
    int presses = 0;

protected:
    void ButtonClick() override { ++presses; }
};

class BareButtonEdit : public ::testing::Test {
protected:
    BareButtonEdit()
        : parent_(::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr)),
          edit(parent_, 7, 20) {
        ::MoveWindow(edit.Handle(), 10, 10, 300, 21, TRUE);
        // A button counts as visible only on a window that shows.
        ::ShowWindow(parent_, SW_SHOWNOACTIVATE);
    }
    ~BareButtonEdit() override { ::DestroyWindow(parent_); }

    HWND parent_;
    Pressed edit;
};

TEST_F(BareButtonEdit, TheButtonFollowsTheRightEdgeAndANewFontKeepsTheTextClearOfIt) {
    auto expectClear = [&] {
        RECT client, button;
        ::GetClientRect(edit.Handle(), &client);
        ::GetWindowRect(edit.Button(), &button);
        ::MapWindowPoints(nullptr, edit.Handle(), reinterpret_cast<POINT*>(&button), 2);
        EXPECT_EQ(button.right, client.right);
        EXPECT_EQ(button.right - button.left, 20);
        DWORD margins = static_cast<DWORD>(::SendMessageW(edit.Handle(), EM_GETMARGINS, 0, 0));
        EXPECT_GE(HIWORD(margins), 20);
    };
    expectClear();
    ::MoveWindow(edit.Handle(), 10, 10, 200, 21, TRUE);
    expectClear();
    ::SendMessageW(edit.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    expectClear();
}

TEST_F(BareButtonEdit, TextIsUtf16AndTheButtonPressesOnClickAndShortcut) {
    const std::wstring text = L"C:\\\u65E5\u672C\\\u041F\u0430\u043F\u043A\u0430";
    edit.SetText(text);
    EXPECT_EQ(edit.Text(), text);
    ::SendMessageW(edit.Button(), BM_CLICK, 0, 0);
    EXPECT_EQ(edit.presses, 1);
    ::SendMessageW(edit.Handle(), WM_SYSKEYDOWN, VK_DOWN, 1 | (1 << 29));
    EXPECT_EQ(edit.presses, 2);
    ::SendMessageW(edit.Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(edit.presses, 2);
    ::ShowWindow(edit.Button(), SW_HIDE);
    ::SendMessageW(edit.Handle(), WM_SYSKEYDOWN, VK_DOWN, 1 | (1 << 29));
    EXPECT_EQ(edit.presses, 2) << "a hidden button is not pressed";
}

}  // namespace
