// The file-type drop-down on a real main window: every pick raises the change event once, also of
// the entry already shown; opening, closing and dismissing raise none; the program's own setting
// raises none; an index out of range keeps the shown text.
#include "app/main_form.h"
#include "browse/file_type_selector.h"
#include "support/expect_error.h"
#include "support/recording_shell.h"
#include "support/screen_capture.h"
#include "support/window_driving.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

namespace {

using test_support::Centre;
using test_support::DispatchWaitingMessages;
using test_support::SendMouse;

class FileTypeSelectorTest : public ::testing::Test {
protected:
    FileTypeSelectorTest() {
        Selector().OnChange = [this] {
            ++changes;
            picked.push_back(form.FileTypeIndex());
        };
        Selector().TickCount = [this] { return now; };
        ::SetFocus(Combo());
    }
    ~FileTypeSelectorTest() override { DispatchWaitingMessages(); }

    browse::FileTypeSelector& Selector() { return form.FileTypeSelector(); }
    HWND Combo() { return form.cbFileType(); }
    HWND List() {
        COMBOBOXINFO info{sizeof info};
        ::GetComboBoxInfo(Combo(), &info);
        return info.hwndList;
    }
    bool Dropped() { return ::SendMessageW(Combo(), CB_GETDROPPEDSTATE, 0, 0) != 0; }
    int ListSelection() { return static_cast<int>(::SendMessageW(Combo(), CB_GETCURSEL, 0, 0)); }

    // A key as the keyboard delivers it, through the thread's queue.
    void Key(UINT key) {
        ::PostMessageW(Combo(), WM_KEYDOWN, key, 1);
        ::PostMessageW(Combo(), WM_KEYUP, key, 0xC0000001);
        DispatchWaitingMessages();
    }
    void AltKey(UINT key) {
        ::PostMessageW(Combo(), WM_SYSKEYDOWN, key, 0x20000001);
        ::PostMessageW(Combo(), WM_SYSKEYUP, key, 0xE0000001);
        DispatchWaitingMessages();
    }
    void Type(wchar_t c, DWORD after = 100) {
        now += after;
        ::PostMessageW(Combo(), WM_CHAR, c, 1);
        DispatchWaitingMessages();
    }
    void Wheel(int delta) {
        ::PostMessageW(Combo(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), 0);
        DispatchWaitingMessages();
    }
    RECT ListRow(int row) {
        RECT r{};
        ::SendMessageW(List(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        return r;
    }

    test_support::RecordingShell shell;
    app::TForm1 form{shell};
    int changes = 0;
    std::vector<int> picked;
    DWORD now = 50000;
};

TEST_F(FileTypeSelectorTest, TheProgramsOwnSettingRaisesNothing) {
    form.SetFileTypeIndex(2);
    form.SetFileTypeIndex(2);
    form.SetFileTypeIndex(-1);
    form.SetFileTypeIndex(4);
    DispatchWaitingMessages();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(form.FileTypeIndex(), 4);
    EXPECT_EQ(Selector().ShownText(), L"CFG Files (*.cfg)");
}

TEST_F(FileTypeSelectorTest, UpAndDownOnTheClosedListPickEachStepAndNothingAtTheEnds) {
    form.SetFileTypeIndex(0);
    Key(VK_UP);
    EXPECT_EQ(changes, 0) << "Up at the top";
    for (int i = 0; i < 4; ++i) Key(VK_DOWN);
    EXPECT_EQ(picked, (std::vector<int>{1, 2, 3, 4}));
    Key(VK_DOWN);
    EXPECT_EQ(changes, 4) << "Down at the bottom";
    Key(VK_UP);
    EXPECT_EQ(picked.back(), 3);
    EXPECT_EQ(Selector().ShownText(), L"INI Files (*.ini)");
    Key(VK_HOME);
    Key(VK_END);
    EXPECT_EQ(changes, 5);
    EXPECT_FALSE(Dropped());
}

TEST_F(FileTypeSelectorTest, EnterInTheOpenListPicksAlsoTheEntryAlreadyShown) {
    form.SetFileTypeIndex(1);
    Key(VK_F4);
    ASSERT_TRUE(Dropped());
    EXPECT_EQ(changes, 0) << "opening is no pick";
    Key(VK_RETURN);
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(picked, (std::vector<int>{1}));

    Key(VK_F4);
    Key(VK_DOWN);
    EXPECT_EQ(changes, 1) << "moving the open list's highlight is no pick";
    Key(VK_RETURN);
    EXPECT_EQ(picked, (std::vector<int>{1, 2}));
    EXPECT_EQ(form.FileTypeIndex(), 2);
}

TEST_F(FileTypeSelectorTest, EscAndTheOpeningKeysCloseWithoutAPickAndKeepTheEntry) {
    form.SetFileTypeIndex(1);
    Key(VK_F4);
    Key(VK_DOWN);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(form.FileTypeIndex(), 1);

    AltKey(VK_DOWN);
    EXPECT_TRUE(Dropped());
    Key(VK_DOWN);
    AltKey(VK_UP);
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(form.FileTypeIndex(), 1);

    Key(VK_F4);
    Key(VK_UP);
    Key(VK_F4);
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(form.FileTypeIndex(), 1);
    EXPECT_EQ(changes, 0);
}

TEST_F(FileTypeSelectorTest, AClickOnAnEntryOfTheOpenListPicksItAlsoWhenShown) {
    form.SetFileTypeIndex(3);
    RECT field;
    ::GetClientRect(Combo(), &field);
    test_support::LeftClick(Combo(), Centre(field));
    ASSERT_TRUE(Dropped()) << "a click on the field opens the list";
    EXPECT_EQ(changes, 0);
    test_support::LeftClick(List(), Centre(ListRow(3)));
    DispatchWaitingMessages();
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(picked, (std::vector<int>{3}));

    Key(VK_F4);
    test_support::LeftClick(List(), Centre(ListRow(0)));
    DispatchWaitingMessages();
    EXPECT_EQ(picked, (std::vector<int>{3, 0}));
    EXPECT_EQ(Selector().ShownText(), L"ASCII Text (*.txt)");
}

TEST_F(FileTypeSelectorTest, AMouseUpOutsideTheOpenListClosesItWithoutAPick) {
    form.SetFileTypeIndex(2);
    Key(VK_F4);
    ASSERT_TRUE(Dropped());
    RECT list;
    ::GetClientRect(List(), &list);
    test_support::LeftClick(List(), POINT{list.right + 40, list.bottom + 40});
    DispatchWaitingMessages();
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(form.FileTypeIndex(), 2);
}

TEST_F(FileTypeSelectorTest, TheOpenListShowsEveryEntryAndIsAsWideAsTheControl) {
    Key(VK_F4);
    ASSERT_TRUE(Dropped());
    RECT combo, list, client;
    ::GetWindowRect(Combo(), &combo);
    ::GetWindowRect(List(), &list);
    ::GetClientRect(List(), &client);
    EXPECT_EQ(list.right - list.left, combo.right - combo.left);
    EXPECT_EQ(list.left, combo.left);
    EXPECT_GE(list.top, combo.bottom - 1) << "below the field";
    const int row = ListRow(0).bottom - ListRow(0).top;
    EXPECT_GE(client.bottom, 5 * row) << "five rows, no scrolling";
    EXPECT_LT(client.bottom, 6 * row) << "no room for more than there are";
    Key(VK_ESCAPE);
}

TEST_F(FileTypeSelectorTest, TheWheelStepsOneEntryANotchWithinTheEntries) {
    form.SetFileTypeIndex(0);
    Wheel(WHEEL_DELTA);
    EXPECT_EQ(changes, 0) << "up at the top";
    Wheel(-WHEEL_DELTA);
    Wheel(-WHEEL_DELTA);
    Wheel(WHEEL_DELTA);
    EXPECT_EQ(picked, (std::vector<int>{1, 2, 1}));
    Wheel(-4 * WHEEL_DELTA);
    EXPECT_EQ(changes, 3) << "beyond the last entry";
}

TEST_F(FileTypeSelectorTest, TypingPicksTheFirstEntryBeginningWithTheLettersEachTime) {
    form.SetFileTypeIndex(0);
    Type(L'P', 1000);
    Type(L'h');
    EXPECT_EQ(picked, (std::vector<int>{2, 2})) << "each letter is a pick";
    Type(L'c', 500);
    EXPECT_EQ(picked.back(), 4) << "\"c\" alone after the pause";
    Type(L'x');
    EXPECT_EQ(changes, 3) << "\"cx\" begins no entry";
    EXPECT_EQ(form.FileTypeIndex(), 4);
}

TEST_F(FileTypeSelectorTest, TypingInTheOpenListPicksAndEscKeepsThatPick) {
    form.SetFileTypeIndex(0);
    Key(VK_F4);
    Type(L'w', 1000);
    EXPECT_TRUE(Dropped());
    EXPECT_EQ(picked, (std::vector<int>{1}));
    Key(VK_ESCAPE);
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(form.FileTypeIndex(), 1) << "the field shows what the handler was told";
    EXPECT_EQ(changes, 1);
}

TEST_F(FileTypeSelectorTest, AnIndexOutOfRangeIsKeptAndTheShownTextStays) {
    form.SetFileTypeIndex(2);
    test_support::ExpectError([&] { form.SetFileTypeIndex(7); }, "EListError", "List index out of bounds (7)");
    EXPECT_EQ(form.FileTypeIndex(), 7);
    EXPECT_EQ(ListSelection(), -1) << "the list has lost its selection";
    EXPECT_EQ(Selector().ShownText(), L"PHP Code (*.php)");
    test_support::ExpectError([&] { form.SetFileTypeIndex(-2); }, "EListError", "List index out of bounds (-2)");
    EXPECT_EQ(form.FileTypeIndex(), -2);
    EXPECT_EQ(Selector().ShownText(), L"PHP Code (*.php)");
    EXPECT_EQ(changes, 0);

    // Opening and dismissing keeps it; a pick replaces it.
    Key(VK_F4);
    Key(VK_ESCAPE);
    EXPECT_EQ(form.FileTypeIndex(), -2);
    Key(VK_DOWN);
    EXPECT_EQ(picked, (std::vector<int>{0}));
    EXPECT_EQ(Selector().ShownText(), L"ASCII Text (*.txt)");

    form.SetFileTypeIndex(-1);
    EXPECT_EQ(Selector().ShownText(), L"") << "no entry chosen";
    EXPECT_THROW(form.SetFileTypeIndex(5), platform::EListError);
    EXPECT_EQ(Selector().ShownText(), L"");
}

// Pixels in the text colour within the field's text area (the button beside it draws its arrow
// in that colour too).
int TextPixels(const test_support::ScreenCapture& shot, HWND combo) {
    COMBOBOXINFO info{sizeof info};
    ::GetComboBoxInfo(combo, &info);
    RECT text = info.rcItem;
    ::MapWindowPoints(combo, nullptr, reinterpret_cast<POINT*>(&text), 2);
    ::OffsetRect(&text, -shot.Area().left, -shot.Area().top);
    return shot.Count(text, [](COLORREF c) { return c == ::GetSysColor(COLOR_WINDOWTEXT); });
}

// The closed field as the screen shows it, once it shows text (or none) alike in two shots in a
// row, or after a bounded wait: a window just mapped by the window manager is drawn in parts.
std::unique_ptr<test_support::ScreenCapture> FieldShot(HWND combo, bool withText) {
    int last = -1;
    auto settled = [&](const test_support::ScreenCapture& shot) {
        const int pixels = TextPixels(shot, combo);
        return std::exchange(last, pixels) == pixels && (pixels > 20) == withText;
    };
    return test_support::ShotWhen(combo, settled, RDW_INVALIDATE | RDW_UPDATENOW, 40);
}

TEST_F(FileTypeSelectorTest, OnScreenTheFieldKeepsItsTextAfterAnIndexOutOfRange) {
    form.Show();
    ::SetFocus(form.edSearch());  // the field then draws its text unhighlighted
    form.SetFileTypeIndex(2);
    const int shown = TextPixels(*FieldShot(Combo(), true), Combo());
    ASSERT_GT(shown, 20);
    EXPECT_THROW(form.SetFileTypeIndex(7), platform::EListError);
    auto kept = FieldShot(Combo(), true);
    EXPECT_TRUE(kept->SaveBmp(test_support::ScreenshotFolder() + "\\file_type_kept_text.bmp"));
    EXPECT_EQ(TextPixels(*kept, Combo()), shown) << "the same text in the same place";
    form.SetFileTypeIndex(-1);
    EXPECT_EQ(TextPixels(*FieldShot(Combo(), false), Combo()), 0) << "no entry, no text";
}

TEST_F(FileTypeSelectorTest, TheClosedFieldTakesTheHeightOfItsPlace) {
    RECT client;
    ::GetClientRect(form.Handle(), &client);
    const app::MainLayout layout = app::ComputeMainLayout(SIZE{client.right, client.bottom}, form.ListWidth(), form.Dpi());
    const RECT place = layout[app::Ctl::cbFileType];
    const RECT field = test_support::RectInParent(Combo());
    EXPECT_EQ(field.bottom - field.top, place.bottom - place.top);
    EXPECT_EQ(field.right - field.left, place.right - place.left);
}

}  // namespace
