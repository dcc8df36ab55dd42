// The file list on a real main window: change reports from clicks, arrow keys and type-ahead,
// the program's own selection, the double click, and the rows as drawn.
#include "app/main_form.h"
#include "browse/file_list_box.h"
#include "browse/listing_fixture.h"
#include "support/error_recorder.h"
#include "support/expect_error.h"
#include "support/recording_shell.h"
#include "support/screen_capture.h"
#include "support/temp_folder.h"
#include "support/window_driving.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using test_support::Centre;
using test_support::LeftClick;
using test_support::SendMouse;

constexpr COLORREF kIconColour = RGB(0, 160, 0);

// A 32 by 32 icon of one colour, fully opaque; the list scales it to 16 by 16.
HICON SolidIcon(COLORREF colour) {
    HDC screen = ::GetDC(nullptr);
    platform::UniqueHBitmap image{::CreateCompatibleBitmap(screen, 32, 32)};
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, image.get());
    ::SetBkColor(dc, colour);
    RECT all{0, 0, 32, 32};
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    std::vector<unsigned char> opaque(32 * 32 / 8, 0);
    platform::UniqueHBitmap mask{::CreateBitmap(32, 32, 1, 1, opaque.data())};
    ICONINFO info{TRUE, 0, 0, mask.get(), image.get()};
    return ::CreateIconIndirect(&info);
}

// Records open requests; serves a solid icon for every file, or none, and keeps the paths asked for.
class IconShell : public test_support::RecordingShell {
public:
    bool giveIcons = true;
    std::vector<platform::Path> iconPaths;

    HICON AssociatedIcon(const platform::Path& path) override {
        iconPaths.push_back(path);
        return giveIcons ? SolidIcon(kIconColour) : nullptr;
    }
};

// The entries, in the order the list shows them.
constexpr const char* kNames[] = {"apple.txt", "apricot.txt", "banana.txt", "berry.txt", "cherry.txt"};
enum Row { kApple, kApricot, kBanana, kBerry, kCherry };

class FileListBoxTest : public ::testing::Test {
protected:
    FileListBoxTest() {
        for (const char* name : kNames) folder.WriteFile(name, std::string("text of ") + name);
        folder.WriteFile("notes.dat", "not listed");
        Listing().SetDirectory(folder.Path());
        // Count the reports, and still run the window's own handler.
        Listing().OnChange = [this, handler = Listing().OnChange] {
            ++reports;
            handler();
        };
        List().TickCount = [this] { return now; };
        ::SetFocus(ListWindow());
    }
    ~FileListBoxTest() override { test_support::DispatchWaitingMessages(); }

    browse::FileListBox& List() { return form.FileListBox(); }
    browse::FileListing& Listing() { return List().Listing(); }
    HWND ListWindow() { return List().Handle(); }
    int Selected() { return static_cast<int>(::SendMessageW(ListWindow(), LB_GETCURSEL, 0, 0)); }
    platform::Path PathOf(Row row) const { return folder.PathOf(kNames[row]); }

    RECT RowRect(int row) {
        RECT r{};
        ::SendMessageW(ListWindow(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    void ClickRow(int row) { LeftClick(ListWindow(), Centre(RowRect(row))); }
    void Key(UINT key) {
        ::SendMessageW(ListWindow(), WM_KEYDOWN, key, 1);
        ::SendMessageW(ListWindow(), WM_KEYUP, key, 0xC0000001);
    }
    // A typed character `after` ms after the previous one.
    void Type(wchar_t c, DWORD after = 100) {
        now += after;
        ::SendMessageW(ListWindow(), WM_CHAR, c, 1);
    }
    // A notification from the list to the window, as the list sends it.
    void Notify(WORD code) {
        ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(ListWindow()), code),
                       reinterpret_cast<LPARAM>(ListWindow()));
    }
    void SelectionNotification() { Notify(LBN_SELCHANGE); }
    void DoubleClickNotification() { Notify(LBN_DBLCLK); }

    test_support::TempFolder folder;
    browse_test::CurrentDirectoryGuard guard;  // put back before the folder goes
    IconShell shell;
    app::TForm1 form{shell};
    int reports = 0;
    DWORD now = 50000;
};

// --- Change reports -------------------------------------------------------------------------

TEST_F(FileListBoxTest, ClickingARowReportsOnceAndClickingItAgainReportsNothing) {
    ASSERT_EQ(Listing().Count(), 5);
    ClickRow(kBanana);
    EXPECT_EQ(Selected(), kBanana);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(Listing().LastReportedIndex(), kBanana);
    EXPECT_EQ(form.FilePath(), PathOf(kBanana));

    ClickRow(kBanana);
    EXPECT_EQ(reports, 1) << "the reported row was clicked again";
}

TEST_F(FileListBoxTest, ClickingARowTheProgramSelectedReportsIt) {
    ClickRow(kApricot);
    Listing().SelectIndex(kBerry);
    EXPECT_EQ(Selected(), kBerry);
    EXPECT_EQ(reports, 1) << "the program's own selection reports nothing";
    EXPECT_EQ(Listing().LastReportedIndex(), kApricot);

    ClickRow(kBerry);
    EXPECT_EQ(reports, 2);
    EXPECT_EQ(Listing().LastReportedIndex(), kBerry);
}

// The list may notify without a move, as for a click on the selected row (Wine's list does not
// notify then): only a selection that differs from the last report is reported.
TEST_F(FileListBoxTest, ANotificationThatMovedNothingReportsNothing) {
    ClickRow(kCherry);
    SelectionNotification();
    EXPECT_EQ(reports, 1);
    Listing().SelectIndex(kApple);
    Listing().SelectIndex(kCherry);
    SelectionNotification();
    EXPECT_EQ(reports, 1);
    Listing().SelectIndex(kApple);
    SelectionNotification();
    EXPECT_EQ(reports, 2);
    EXPECT_EQ(Listing().LastReportedIndex(), kApple);
}

TEST_F(FileListBoxTest, ArrowKeysReportEachMoveAndNothingAtTheEnd) {
    ClickRow(kApple);
    Key(VK_DOWN);
    EXPECT_EQ(Selected(), kApricot);
    EXPECT_EQ(reports, 2);
    Key(VK_DOWN);
    Key(VK_UP);
    EXPECT_EQ(Selected(), kApricot);
    EXPECT_EQ(reports, 4);
    EXPECT_EQ(form.FilePath(), PathOf(kApricot));
    ClickRow(kCherry);
    Key(VK_DOWN);
    Key(VK_END);
    EXPECT_EQ(Selected(), kCherry);
    EXPECT_EQ(reports, 5);
}

TEST_F(FileListBoxTest, SelectingARowTheListRefusesRaisesAListError) {
    ClickRow(kBanana);
    test_support::ExpectError([&] { Listing().SelectIndex(5); }, "EListError", "List index out of bounds (5)");
    test_support::ExpectError([&] { Listing().SelectIndex(-2); }, "EListError", "List index out of bounds (-2)");
    EXPECT_EQ(Selected(), kBanana);
    EXPECT_EQ(reports, 1);
}

// --- Type-ahead -----------------------------------------------------------------------------

// A typed character `after` ms after the one before, and what the list then selects (null for
// nothing) with the reports made so far.
struct Keystroke {
    wchar_t character;
    DWORD after;
    const wchar_t* selected;
    int reports;
};

struct TypingCase {
    const char* name;
    const char* clickedFirst;  // a row clicked before typing, or null
    bool moreFiles;            // names beginning beyond ASCII are listed too
    const wchar_t* mask;       // null for the list's own
    std::vector<Keystroke> keys;
};

// What the window adds to the prefix: the entry it selects, the reports, and FilePath. Each case
// on a fresh window.
class Typing : public FileListBoxTest {
public:
    void TestBody() override {}
    void Run(const TypingCase& c) {
        SCOPED_TRACE(c.name);
        if (c.moreFiles) {
            folder.WriteFile("\u20ACuro.txt", "");  // the euro sign
            folder.WriteFile("\u00C4hre.txt", "");  // A with diaeresis
            Listing().RefreshEntries();
        }
        if (c.mask) Listing().SetMask(c.mask);
        reports = 0;
        if (c.clickedFirst) ClickRow(IndexOf(test_support::WideName(c.clickedFirst).c_str()));
        for (const Keystroke& key : c.keys) {
            Type(key.character, key.after);
            const platform::Path expected = key.selected ? folder.Path().Join(key.selected) : platform::Path();
            EXPECT_EQ(Selected(), key.selected ? IndexOf(key.selected) : LB_ERR) << int(key.character);
            EXPECT_EQ(reports, key.reports) << int(key.character);
            EXPECT_EQ(form.FilePath(), expected) << int(key.character);
        }
    }

private:
    int IndexOf(const wchar_t* name) {
        return static_cast<int>(
            ::SendMessageW(ListWindow(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name)));
    }
};

TEST(FileListBoxTyping, EachKeystrokeSelectsTheFirstEntryBeginningWithThePrefix) {
    const TypingCase cases[] = {
        // The list's own search, which would go on from banana to berry, does not run.
        {"the typed letters", nullptr, false, nullptr,
         {{L'b', 1000, L"banana.txt", 1}, {L'e', 499, L"berry.txt", 2}}},
        {"without regard to letter case", nullptr, false, nullptr,
         {{L'A', 1000, L"apple.txt", 1}, {L'P', 100, L"apple.txt", 1}, {L'R', 100, L"apricot.txt", 2}}},
        {"a pause of 500 ms starts afresh", nullptr, false, nullptr,
         {{L'b', 1000, L"banana.txt", 1}, {L'c', 500, L"cherry.txt", 2}}},
        {"the reported entry again reports nothing", "banana.txt", false, nullptr,
         {{L'b', 1000, L"banana.txt", 1}, {L'a', 100, L"banana.txt", 1}}},
        {"a prefix that matches nothing keeps the selection", nullptr, false, nullptr,
         {{L'b', 1000, L"banana.txt", 1}, {L'x', 100, L"banana.txt", 1}, {L'z', 1000, L"banana.txt", 1}}},
        {"backspacing to nothing selects the first entry", nullptr, false, nullptr,
         {{L'c', 1000, L"cherry.txt", 1}, {L'h', 100, L"cherry.txt", 1}, {L'\b', 100, L"cherry.txt", 1},
          {L'\b', 100, L"apple.txt", 2}}},
        // Looked for as UTF-16; the capital itself, since Wine's list, unlike Windows', matches
        // letters beyond ASCII only in the same case.
        {"characters beyond ASCII", nullptr, true, nullptr,
         {{L'\u20AC', 1000, L"\u20ACuro.txt", 1}, {L'\u00C4', 1000, L"\u00C4hre.txt", 2}}},
        // Hiragana A, whose low byte is "B", and a with macron, which is not "a".
        {"a character no name begins with", "cherry.txt", false, nullptr,
         {{0x3042, 1000, L"cherry.txt", 1}, {0x0101, 1000, L"cherry.txt", 1}}},
        {"an empty list", nullptr, false, L"*.none", {{L'a', 1000, nullptr, 0}, {L'\b', 100, nullptr, 0}}},
    };
    for (const TypingCase& c : cases) Typing().Run(c);
}

// --- Double click ---------------------------------------------------------------------------

TEST_F(FileListBoxTest, ADoubleClickOnARowAsksTheShellToOpenThatFile) {
    RECT row = RowRect(kBerry);
    SendMouse(ListWindow(), WM_LBUTTONDOWN, Centre(row), MK_LBUTTON);
    SendMouse(ListWindow(), WM_LBUTTONUP, Centre(row));
    SendMouse(ListWindow(), WM_LBUTTONDBLCLK, Centre(row), MK_LBUTTON);
    SendMouse(ListWindow(), WM_LBUTTONUP, Centre(row));
    EXPECT_EQ(reports, 1) << "the first click reported the selection";
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].file, PathOf(kBerry));
    EXPECT_EQ(shell.opened[0].owner, nullptr);
}

TEST_F(FileListBoxTest, ClickingAFileWhoseNameTheCodePageCannotHoldShowsItInTheViewer) {
    const platform::Path path = folder.WriteFile("\u65E5\u672C.txt", "Japanese name");
    Listing().RefreshEntries();
    const int row = static_cast<int>(::SendMessageW(ListWindow(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(L"\u65E5\u672C.txt")));
    ASSERT_GE(row, 0);
    test_support::RecordedErrors().clear();
    widgets::SetErrorHandler(test_support::RecordError);
    ClickRow(row);
    widgets::SetErrorHandler(nullptr);
    EXPECT_EQ(test_support::RecordedErrors(), std::vector<std::string>{});
    EXPECT_EQ(form.memHTML().Text(), "Japanese name");
    EXPECT_EQ(form.StatusText(), path.Text());
    // The shell is given the same path, which names an existing file.
    DoubleClickNotification();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].file, path);
}

TEST_F(FileListBoxTest, ADoubleClickOnADeletedFileOpensNothing) {
    ClickRow(kApple);
    ASSERT_TRUE(::DeleteFileW(PathOf(kApple).c_str()));
    DoubleClickNotification();
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(FileListBoxTest, ADoubleClickInAnEmptyListOpensNothing) {
    Listing().SetMask(L"*.none");
    DoubleClickNotification();
    SendMouse(ListWindow(), WM_LBUTTONDBLCLK, POINT{10, 5}, MK_LBUTTON);
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(FileListBoxTest, ADoubleClickWithNothingSelectedOpensNothing) {
    DoubleClickNotification();
    EXPECT_TRUE(shell.opened.empty());
}

// --- Drawing --------------------------------------------------------------------------------

// A 32-bit picture with a memory DC, which a row is drawn into as the list would draw it.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) {
        HDC screen = ::GetDC(nullptr);
        dc_ = ::CreateCompatibleDC(screen);
        ::ReleaseDC(nullptr, screen);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.reset(::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        old_ = ::SelectObject(dc_, bitmap_.get());
        ::SetBkColor(dc_, fill);
        RECT all{0, 0, width, height};
        ::ExtTextOutA(dc_, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    }
    ~Canvas() {
        ::SelectObject(dc_, old_);
        ::DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const { return ::GetPixel(dc_, x, y); }
    template <typename Match>
    int Count(const RECT& part, Match match) const {
        return test_support::CountPixels(part, [this](int x, int y) { return At(x, y); }, match);
    }
    // The leftmost and rightmost columns of `part` holding a pixel that `match` takes, or -1.
    template <typename Match>
    std::pair<int, int> Columns(const RECT& part, Match match) const {
        int first = -1, last = -1;
        for (int x = part.left; x < part.right; ++x)
            for (int y = part.top; y < part.bottom; ++y)
                if (match(At(x, y))) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }

private:
    HDC dc_;
    platform::UniqueHBitmap bitmap_;
    HGDIOBJ old_;
};

constexpr COLORREF kCanvasFill = RGB(255, 0, 255);

class FileListBoxDrawing : public FileListBoxTest {
protected:
    // Draws entry `item` (-1 for the focus row of an empty list) into a canvas at `place`.
    std::unique_ptr<Canvas> Draw(int item, UINT state, RECT place = RECT{10, 4, 210, 22}) {
        auto canvas = std::make_unique<Canvas>(240, 30, kCanvasFill);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTBOX;
        dis.CtlID = static_cast<UINT>(::GetDlgCtrlID(ListWindow()));
        dis.itemID = static_cast<UINT>(item);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = ListWindow();
        dis.hDC = canvas->Dc();
        dis.rcItem = place;
        List().DrawItem(dis);
        return canvas;
    }
    static bool Is(COLORREF c, int colour) { return c == ::GetSysColor(colour); }
    // The width of `text` in the list's own font.
    int TextWidth(const std::string& text) {
        HDC dc = ::GetDC(ListWindow());
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(ListWindow(), WM_GETFONT, 0, 0)));
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
        ::SelectObject(dc, old);
        ::ReleaseDC(ListWindow(), dc);
        return size.cx;
    }
};

TEST_F(FileListBoxDrawing, ARowShowsTheFilesIconAndThenItsName) {
    shell.iconPaths.clear();
    auto canvas = Draw(kApricot, 0);
    ASSERT_EQ(shell.iconPaths.size(), 1u);
    EXPECT_EQ(shell.iconPaths[0], PathOf(kApricot));

    const RECT row{10, 4, 210, 22};
    auto isIcon = [](COLORREF c) { return c == kIconColour; };
    // The 32-pixel icon scaled to 16 by 16 at (left + 2, top + 1).
    EXPECT_EQ(canvas->Count(RECT{12, 5, 28, 21}, isIcon), 256);
    EXPECT_EQ(canvas->Count(row, isIcon), 256);
    // The row's background everywhere else, and nothing drawn outside it.
    EXPECT_TRUE(Is(canvas->At(11, 5), COLOR_WINDOW));
    EXPECT_TRUE(Is(canvas->At(12, 4), COLOR_WINDOW));
    EXPECT_TRUE(Is(canvas->At(209, 21), COLOR_WINDOW));
    EXPECT_EQ(canvas->At(9, 10), kCanvasFill);
    EXPECT_EQ(canvas->At(100, 22), kCanvasFill);
    EXPECT_EQ(canvas->At(210, 10), kCanvasFill);

    // The name in the window-text colour, from left + 20, in the list's font.
    auto isText = [](COLORREF c) { return Is(c, COLOR_WINDOWTEXT); };
    auto [first, last] = canvas->Columns(RECT{28, 4, 210, 22}, isText);
    ASSERT_GE(first, 0) << "no text drawn";
    EXPECT_GE(first, 30);
    EXPECT_LE(first, 32);
    EXPECT_NEAR(last + 1 - 30, TextWidth(kNames[kApricot]), 2);
    EXPECT_EQ(canvas->Count(RECT{10, 4, 210, 5}, isText), 0) << "the text cell begins at top + 1";
}

TEST_F(FileListBoxDrawing, ASelectedRowShowsItsNameInTheHighlightColoursAndItsIconBlended) {
    auto canvas = Draw(kBanana, ODS_SELECTED);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(canvas->At(11, 5), highlight);
    EXPECT_EQ(canvas->At(209, 21), highlight);
    EXPECT_EQ(canvas->At(9, 10), kCanvasFill);
    EXPECT_GT(canvas->Count(RECT{30, 4, 210, 22}, [](COLORREF c) { return Is(c, COLOR_HIGHLIGHTTEXT); }), 20);

    // Half icon, half highlight: on average each channel halfway between the two, and the icon's
    // own colour no longer everywhere in its square.
    const RECT icon{12, 5, 28, 21};
    int sum[3] = {};
    for (int y = icon.top; y < icon.bottom; ++y)
        for (int x = icon.left; x < icon.right; ++x) {
            COLORREF c = canvas->At(x, y);
            sum[0] += GetRValue(c);
            sum[1] += GetGValue(c);
            sum[2] += GetBValue(c);
        }
    EXPECT_NEAR(sum[0] / 256, (GetRValue(kIconColour) + GetRValue(highlight)) / 2, 12);
    EXPECT_NEAR(sum[1] / 256, (GetGValue(kIconColour) + GetGValue(highlight)) / 2, 12);
    EXPECT_NEAR(sum[2] / 256, (GetBValue(kIconColour) + GetBValue(highlight)) / 2, 12);
    EXPECT_LT(canvas->Count(icon, [](COLORREF c) { return c == kIconColour; }), 200);
}

TEST_F(FileListBoxDrawing, WithoutAnIconFromTheShellTheRowShowsOnlyItsName) {
    shell.giveIcons = false;
    auto canvas = Draw(kCherry, 0);
    EXPECT_EQ(canvas->Count(RECT{10, 4, 30, 22}, [](COLORREF c) { return !Is(c, COLOR_WINDOW); }), 0);
    EXPECT_GT(canvas->Count(RECT{30, 4, 210, 22}, [](COLORREF c) { return Is(c, COLOR_WINDOWTEXT); }), 20);
}

TEST_F(FileListBoxDrawing, RowsOfOneKindAskTheShellOnceAndRepaintingAsksNoMore) {
    shell.iconPaths.clear();
    auto isIcon = [](COLORREF c) { return c == kIconColour; };
    for (Row row : {kApple, kBanana, kApple, kCherry}) {
        auto canvas = Draw(row, 0);
        EXPECT_EQ(canvas->Count(RECT{12, 5, 28, 21}, isIcon), 256) << kNames[row];
    }
    EXPECT_EQ(shell.iconPaths, std::vector<platform::Path>{PathOf(kApple)});
}

TEST_F(FileListBoxDrawing, EachProgramIsAskedForItsOwnIcon) {
    const platform::Path first = folder.WriteFile("first.exe", "MZ"), second = folder.WriteFile("second.EXE", "MZ");
    Listing().SetMask(L"*.exe");
    shell.iconPaths.clear();
    Draw(0, 0);
    Draw(1, 0);
    Draw(0, ODS_SELECTED);
    EXPECT_EQ(shell.iconPaths, (std::vector<platform::Path>{first, second}));
}

TEST_F(FileListBoxDrawing, ReReadingTheFolderAsksTheShellAfresh) {
    // A file's type may have been given another program since; the next listing shows it.
    shell.iconPaths.clear();
    Draw(kApple, 0);
    Listing().RefreshEntries();
    Draw(kApple, 0);
    EXPECT_EQ(shell.iconPaths, (std::vector<platform::Path>{PathOf(kApple), PathOf(kApple)}));
}

TEST_F(FileListBoxDrawing, TheShownWindowAsksOnceForAllItsTextFilesAndNotAgainWhenRepainted) {
    shell.iconPaths.clear();
    ::ShowWindow(form.Handle(), SW_SHOWNORMAL);
    ::UpdateWindow(form.Handle());
    EXPECT_EQ(shell.iconPaths.size(), 1u);
    ::InvalidateRect(ListWindow(), nullptr, TRUE);
    ::UpdateWindow(ListWindow());
    ClickRow(kBerry);
    ::UpdateWindow(ListWindow());
    EXPECT_EQ(shell.iconPaths.size(), 1u);
}

TEST_F(FileListBoxDrawing, OnlyTheFocusedRowShowsTheDottedFrame) {
    auto notBackground = [](COLORREF c) { return !Is(c, COLOR_WINDOW); };
    auto plain = Draw(kApple, 0);
    EXPECT_EQ(plain->Count(RECT{10, 4, 210, 5}, notBackground), 0);
    auto focused = Draw(kApple, ODS_FOCUS);
    EXPECT_GT(focused->Count(RECT{10, 4, 210, 5}, notBackground), 50) << "top edge";
    EXPECT_GT(focused->Count(RECT{10, 21, 210, 22}, notBackground), 50) << "bottom edge";
    EXPECT_GT(focused->Count(RECT{209, 4, 210, 22}, notBackground), 4) << "right edge";
}

TEST_F(FileListBoxDrawing, TheFocusRowOfAnEmptyListIsFilledWithTheBackground) {
    Listing().SetMask(L"*.none");
    shell.iconPaths.clear();
    const RECT row{10, 4, 210, 22};
    auto canvas = Draw(-1, ODS_SELECTED);
    EXPECT_EQ(canvas->Count(row, [](COLORREF c) { return Is(c, COLOR_WINDOW); }), 200 * 18);
    EXPECT_EQ(canvas->At(9, 10), kCanvasFill);
    EXPECT_TRUE(shell.iconPaths.empty());
    auto focused = Draw(-1, ODS_FOCUS);
    EXPECT_GT(focused->Count(RECT{10, 4, 210, 5}, [](COLORREF c) { return !Is(c, COLOR_WINDOW); }), 50);
}

TEST_F(FileListBoxDrawing, TheListOnTheWindowShowsTheSelectedRowInTheHighlightColours) {
    ::ShowWindow(form.Handle(), SW_SHOWNORMAL);
    ClickRow(kBerry);
    ::UpdateWindow(form.Handle());
    const RECT row = RowRect(kBerry);
    HDC dc = ::GetDC(ListWindow());
    int highlight = 0, highlightText = 0;
    for (int y = row.top; y < row.bottom; ++y)
        for (int x = row.left + 20; x < row.right - 1; ++x) {
            COLORREF c = ::GetPixel(dc, x, y);
            highlight += Is(c, COLOR_HIGHLIGHT);
            highlightText += Is(c, COLOR_HIGHLIGHTTEXT);
        }
    COLORREF icon = ::GetPixel(dc, row.left + 10, row.top + 8);
    COLORREF other = ::GetPixel(dc, RowRect(kApple).left + 10, RowRect(kApple).top + 8);
    ::ReleaseDC(ListWindow(), dc);
    EXPECT_GT(highlight, 200);
    EXPECT_GT(highlightText, 20);
    EXPECT_NE(icon, kIconColour) << "blended";
    EXPECT_EQ(other, kIconColour);
}

// --- On the screen --------------------------------------------------------------------------

// The shell's own icons; opening is only recorded. Wine's shell finds none for a text file (it
// falls back to an icon of the calling program, which the tests lack), so the shell's generic
// document icon stands in there.
class SystemIconShell : public test_support::RecordingShell {
public:
    HICON AssociatedIcon(const platform::Path& path) override {
        if (HICON icon = platform::SystemShell().AssociatedIcon(path)) return icon;
        return ::ExtractIconW(::GetModuleHandleW(nullptr), L"shell32.dll", 0);
    }
};

TEST(FileListBoxOnScreen, TheWindowShowsTheFilesWithIconsAndTheSelectedRow) {
    test_support::TempFolder folder;
    browse_test::CurrentDirectoryGuard guard;
    for (const char* name : {"Annual report.txt", "Budget 2005.txt", "Contacts.txt", "Readme.txt", "Shopping list.txt",
                             "To do.txt"})
        folder.WriteFile(name, "Some text.");
    SystemIconShell shell;
    app::TForm1 form(shell);
    ::MoveWindow(form.Handle(), 40, 40, 760, 480, TRUE);
    browse::FileListBox& list = form.FileListBox();
    list.Listing().SetDirectory(folder.Path());
    ::ShowWindow(form.Handle(), SW_SHOWNORMAL);
    ::SetForegroundWindow(form.Handle());
    ::SetFocus(list.Handle());
    RECT row{};
    ::SendMessageW(list.Handle(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    LeftClick(list.Handle(), Centre(row));
    ASSERT_EQ(list.Listing().FileName(), L"Contacts.txt");

    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    auto isHighlight = [&](COLORREF c) { return c == highlight; };
    auto shown = [&](const test_support::ScreenCapture& s) {
        return s.Count(test_support::InCapture(list.Handle(), s), isHighlight) > 500;
    };
    const auto shot = test_support::ShotWhen(form.Handle(), shown, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const RECT inList = test_support::InCapture(list.Handle(), *shot);
    EXPECT_TRUE(shot->SaveBmp(test_support::ScreenshotFolder() + "\\file_list_box.bmp"));
    // One highlighted row, the third.
    EXPECT_GT(shot->Count(inList, isHighlight), 500);
    RECT third = row;
    ::OffsetRect(&third, inList.left + 2, inList.top + 2);
    EXPECT_EQ(shot->Count(RECT{inList.left, inList.top, inList.right, third.top}, isHighlight), 0);
    // An icon in the first row's icon square.
    const COLORREF background = ::GetSysColor(COLOR_WINDOW);
    RECT firstIcon{inList.left + 2 + 2, inList.top + 2 + 1, inList.left + 2 + 18, inList.top + 2 + 17};
    EXPECT_GT(shot->Count(firstIcon, [&](COLORREF c) { return c != background; }), 40);
}

}  // namespace
