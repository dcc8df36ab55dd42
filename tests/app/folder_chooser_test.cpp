// The folder field on the real main window: what the keyboard and the clipboard can do to it, and
// the shell's folder browser driven as a person would drive it. The browser is the real one
// except where a test must hand back something a person cannot easily reach (a virtual item).
// The screenshot of the open browser goes to <build>\screenshots\folder_browser.bmp.
#include "app/main_form.h"
#include "platform/module_path.h"
#include "support/dialog_driver.h"
#include "support/error_recorder.h"
#include "support/recording_shell.h"
#include "support/screen_capture.h"
#include "support/temp_folder.h"
#include "support/window_driving.h"
#include "widgets/window.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using test_support::DialogAnswer;
using test_support::DialogDriver;

// What the status bar shows before a browse that must leave it alone.
constexpr const wchar_t* kNotice = L"shown before";

std::vector<HWND> ChildrenOf(HWND dialog, const char* className) {
    std::vector<HWND> found;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        if (test_support::WindowClass(c) == className) found.push_back(c);
    return found;
}

HWND TreeOf(HWND dialog) {
    auto trees = ChildrenOf(dialog, "SysTreeView32");
    return trees.empty() ? nullptr : trees.front();
}

HTREEITEM Caret(HWND tree) {
    return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

// The selected item's text and its ancestors', innermost first. The browser may still be
// selecting when it first shows, so this waits a little for a selection to be there.
std::vector<std::wstring> SelectedBranch(HWND tree) {
    for (int i = 0; i < 200 && !Caret(tree); ++i) ::Sleep(10);
    std::vector<std::wstring> branch;
    for (HTREEITEM item = Caret(tree); item;
         item = reinterpret_cast<HTREEITEM>(
             ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)))) {
        wchar_t text[MAX_PATH] = {};
        TVITEMW tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = MAX_PATH;
        ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
        branch.emplace_back(text);
    }
    return branch;
}

// A key pressed in the tree, as the keyboard delivers it when the tree has the focus. Wine opens
// the browser with the focus on OK, Windows on the tree; the keys go to the tree either way.
void PressInTree(HWND dialog, UINT key) {
    HWND tree = TreeOf(dialog);
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageA(tree, WM_KEYDOWN, key, 1 | scan);
    ::PostMessageA(tree, WM_KEYUP, key, 1 | scan | (1 << 30) | (static_cast<LPARAM>(1) << 31));
}

// The last component of a path.
std::wstring Leaf(const platform::Path& path) { return path.Text().substr(path.Text().find_last_of(L'\\') + 1); }

std::vector<std::wstring> Entries(const browse::FileListing& listing) {
    std::vector<std::wstring> entries;
    for (int i = 0; i < listing.Count(); ++i) entries.push_back(listing.Entry(i));
    return entries;
}

// Forwards to the shell's own browser and counts the browses; one that hands back a set item
// instead of showing the browser, when given one.
class CountingBrowser : public platform::FolderBrowser {
public:
    platform::UniqueItemId Browse(BROWSEINFOW& info) override {
        ++browses;
        owner = info.hwndOwner;
        if (!answer) return {};
        return CopyItem(answer);
    }
    platform::UniqueItemId ItemOfPath(const std::wstring& path) override { return system.ItemOfPath(path); }
    platform::UniqueItemId CopyItem(const ITEMIDLIST* item) override { return system.CopyItem(item); }
    platform::Path PathOfItem(const ITEMIDLIST* item) override { return system.PathOfItem(item); }

    platform::FolderBrowser& system = platform::SystemFolderBrowser();
    const ITEMIDLIST* answer = nullptr;
    int browses = 0;
    HWND owner = nullptr;
};

class FolderChooser : public ::testing::Test {
protected:
    explicit FolderChooser(bool fakeBrowser)
        : form{shell, fakeBrowser ? static_cast<platform::FolderBrowser&>(counting) : platform::SystemFolderBrowser()} {
        test_support::RecordedErrors().clear();
        widgets::SetErrorHandler(test_support::RecordError);
    }
    ~FolderChooser() override {
        test_support::DispatchWaitingMessages();
        widgets::SetErrorHandler(nullptr);
        // The list makes the folder it lists current, and a current folder cannot be removed.
        ::SetCurrentDirectoryW(platform::ExecutableFolder().c_str());
    }

    void Key(UINT message, UINT key, LPARAM flags = 0) {
        ::SendMessageA(form.edFolder(), message, key, 1 | flags);
    }
    // Alt+Down as the keyboard delivers it to the focused field.
    void AltDown() {
        Key(WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
        Key(WM_SYSKEYUP, VK_DOWN, (1 << 29) | (1 << 30) | (1u << 31));
    }
    HWND Form() const { return form.Handle(); }
    browse::FileListing& Listing() { return form.FileListBox().Listing(); }
    bool Modified() { return ::SendMessageA(form.edFolder(), EM_GETMODIFY, 0, 0) != 0; }

    test_support::RecordingShell shell;
    test_support::TempFolder temp;
    CountingBrowser counting;
    app::TForm1 form;
};

class RealBrowser : public FolderChooser {
protected:
    RealBrowser() : FolderChooser(false) {
        temp.WriteFile("top.txt", "top");
        inner = temp.MakeFolder("inner");
        test_support::WriteFileBytes(inner.Join(L"a.txt"), "a");
        test_support::WriteFileBytes(inner.Join(L"b.txt"), "b");
        form.Show();
        form.SetFolderText(temp.Path().Text());
        form.SetStatusText(kNotice);
    }

    platform::Path inner;
};

class FakeBrowser : public FolderChooser {
protected:
    FakeBrowser() : FolderChooser(true) {
        form.Show();
        form.SetStatusText(kNotice);
    }
};

TEST_F(RealBrowser, TheFieldTakesNoTypingCuttingOrPastingButSelectsAndCopies) {
    const std::wstring text = temp.Path().Text();
    ASSERT_TRUE(::OpenClipboard(Form()));
    ::EmptyClipboard();
    const char pasted[] = "Z:\\pasted";
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
    std::copy(pasted, pasted + sizeof pasted, static_cast<char*>(::GlobalLock(memory)));
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();

    HWND edit = form.edFolder();
    ::SetFocus(edit);
    ::SendMessageA(edit, EM_SETSEL, 3, 6);
    ::SendMessageA(edit, WM_KEYDOWN, 'X', 1);
    ::SendMessageA(edit, WM_CHAR, 'x', 1);
    ::SendMessageA(edit, WM_KEYDOWN, VK_BACK, 1);
    ::SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    ::SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
    ::SendMessageA(edit, WM_CUT, 0, 0);
    ::SendMessageA(edit, WM_PASTE, 0, 0);
    ::SendMessageA(edit, WM_CHAR, 'V' - '@', 1);  // Ctrl+V as the key's character
    ::SendMessageA(edit, WM_CLEAR, 0, 0);
    ::SendMessageA(edit, WM_UNDO, 0, 0);
    EXPECT_EQ(form.FolderText(), text);
    EXPECT_FALSE(Modified());

    // Selecting and copying work.
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    ::SendMessageA(edit, WM_COPY, 0, 0);
    ASSERT_TRUE(::OpenClipboard(Form()));
    std::wstring copied;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        copied = static_cast<const wchar_t*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    EXPECT_EQ(copied, text);
    EXPECT_TRUE(::IsWindowUnicode(edit));
    EXPECT_TRUE(test_support::RecordedErrors().empty());
}

TEST_F(RealBrowser, TheBrowseButtonLiesInsideTheFieldsRightEdgeAndTheTextStopsShortOfIt) {
    HWND edit = form.edFolder(), button = form.edFolderButton();
    EXPECT_EQ(::GetParent(button), edit);
    EXPECT_EQ(test_support::WindowClass(button), "Button");
    EXPECT_TRUE(::IsWindowVisible(button));
    EXPECT_TRUE(::IsWindowEnabled(button));
    RECT client, place = test_support::RectInParent(button), textArea{};
    ::GetClientRect(edit, &client);
    EXPECT_EQ(place.right, client.right);
    EXPECT_EQ(place.right - place.left, 20);
    EXPECT_EQ(place.top, 0);
    EXPECT_EQ(place.bottom, client.bottom);
    ::SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&textArea));
    EXPECT_LE(textArea.right, place.left);
    // Still so after the window has been widened.
    RECT window;
    ::GetWindowRect(Form(), &window);
    ::MoveWindow(Form(), window.left, window.top, 900, 560, TRUE);
    ::GetClientRect(edit, &client);
    place = test_support::RectInParent(button);
    EXPECT_EQ(place.right, client.right);
    ::SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&textArea));
    EXPECT_LE(textArea.right, place.left);
    // The second button of such a field is not there at all.
    EXPECT_EQ(::GetWindow(button, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(::GetWindow(button, GW_HWNDPREV), nullptr);
}

TEST_F(RealBrowser, AltDownOpensTheBrowserOnTheFieldsFolderAndEnterChoosesTheFolderMovedTo) {
    std::vector<std::wstring> branch;
    std::vector<std::string> statics;
    HWND browser = nullptr, owner = nullptr;
    bool formEnabled = true;
    DialogDriver driver({DialogAnswer::Key(VK_RETURN).Inspect([&](HWND dialog) {
        browser = dialog;
        owner = ::GetWindow(dialog, GW_OWNER);
        formEnabled = ::IsWindowEnabled(Form());
        branch = SelectedBranch(TreeOf(dialog));
        for (HWND s : ChildrenOf(dialog, "Static"))
            if (::IsWindowVisible(s)) statics.push_back(test_support::WindowText(s));
        // The browser over the main window, as the screen shows them.
        ::Sleep(300);
        RECT a, b, both;
        ::GetWindowRect(Form(), &a);
        ::GetWindowRect(dialog, &b);
        ::UnionRect(&both, &a, &b);
        test_support::ScreenCapture(both).SaveBmp(test_support::ScreenshotFolder() + "\\folder_browser.bmp");
        // Open the folder and go down to its first sub-folder.
        PressInTree(dialog, VK_RIGHT);
        PressInTree(dialog, VK_DOWN);
    })});
    AltDown();
    ASSERT_TRUE(driver.Finish()) << driver.Failure();

    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].windowClass, "#32770");
    EXPECT_EQ(driver.Seen()[0].caption, "Select a Folder...");
    EXPECT_EQ(owner, Form());
    EXPECT_FALSE(formEnabled) << "the browser is modal over the main window";
    ASSERT_GE(branch.size(), 2u);
    EXPECT_EQ(branch[0], Leaf(temp.Path()));
    EXPECT_EQ(branch[1], L"Temp");
    // No text above the tree.
    for (const std::string& text : statics) EXPECT_EQ(text, "");

    EXPECT_EQ(form.FolderText(), inner.Text());
    EXPECT_EQ(Listing().Directory(), inner);
    EXPECT_EQ(Entries(Listing()), (std::vector<std::wstring>{L"a.txt", L"b.txt"}));
    EXPECT_EQ(form.memHTML().Text(), "");
    EXPECT_EQ(form.StatusText(), L"");
    EXPECT_TRUE(Modified());
    EXPECT_EQ(::GetForegroundWindow(), Form());
    EXPECT_TRUE(test_support::RecordedErrors().empty());
}

TEST_F(RealBrowser, EscapeCancelsAfterMovingAndTheNextBrowseStartsAgainFromTheField) {
    const platform::Path directory = Listing().Directory();
    const std::string viewer = form.memHTML().Text();
    std::vector<std::wstring> first, second;
    DialogDriver driver({DialogAnswer::Key(VK_ESCAPE).Inspect([&](HWND dialog) {
                             first = SelectedBranch(TreeOf(dialog));
                             PressInTree(dialog, VK_RIGHT);
                             PressInTree(dialog, VK_DOWN);
                         }),
                         DialogAnswer::Key(VK_ESCAPE).Inspect([&](HWND dialog) {
                             second = SelectedBranch(TreeOf(dialog));
                         })});
    AltDown();
    EXPECT_EQ(form.FolderText(), temp.Path().Text());
    AltDown();
    ASSERT_TRUE(driver.Finish()) << driver.Failure();

    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first[0], Leaf(temp.Path()));
    EXPECT_EQ(second, first);
    EXPECT_EQ(form.FolderText(), temp.Path().Text());
    EXPECT_EQ(Listing().Directory(), directory);
    EXPECT_EQ(form.memHTML().Text(), viewer);
    EXPECT_EQ(form.StatusText(), kNotice);
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(test_support::RecordedErrors().empty());
}

TEST_F(RealBrowser, ChoosingTheSameFolderAgainRunsTheChangeAgain) {
    DialogDriver driver({DialogAnswer::Key(VK_RETURN), DialogAnswer::Key(VK_RETURN)});
    AltDown();
    EXPECT_EQ(form.FolderText(), temp.Path().Text());
    EXPECT_EQ(Listing().Directory(), temp.Path());
    EXPECT_EQ(Entries(Listing()), (std::vector<std::wstring>{L"top.txt"}));
    EXPECT_EQ(form.memHTML().Text(), "");
    EXPECT_EQ(form.StatusText(), L"");

    form.memHTML().SetText("shown");
    form.SetStatusText(L"status");
    test_support::LeftClick(form.edFolderButton(), {10, 8});
    ASSERT_TRUE(driver.Finish()) << driver.Failure();
    EXPECT_EQ(form.FolderText(), temp.Path().Text());
    EXPECT_EQ(form.memHTML().Text(), "");
    EXPECT_EQ(form.StatusText(), L"");
    EXPECT_TRUE(test_support::RecordedErrors().empty());
}

TEST_F(RealBrowser, AChosenFolderThatVanishedKeepsTheNewTextTheOldListAndShowsTheError) {
    const platform::Path directory = Listing().Directory();
    const std::string viewer = form.memHTML().Text();
    form.SetFolderText(inner.Text());
    // The error goes to the box this time, which a person closes.
    widgets::SetErrorHandler(nullptr);
    DialogDriver driver({DialogAnswer::Key(VK_RETURN).Inspect([&](HWND) { test_support::RemoveTree(inner); }),
                         DialogAnswer::Key(VK_RETURN)});
    AltDown();
    ASSERT_TRUE(driver.Finish()) << driver.Failure();
    ASSERT_EQ(driver.Seen().size(), 2u);
    EXPECT_EQ(driver.Seen()[1].text, "File not found");
    EXPECT_EQ(form.FolderText(), inner.Text());
    EXPECT_EQ(Listing().Directory(), directory);
    EXPECT_EQ(form.memHTML().Text(), viewer);
    EXPECT_EQ(form.StatusText(), kNotice);
}

// The folder keeps its own name all the way, whatever the ANSI code page can show of it.
TEST_F(RealBrowser, AFolderNamedInJapaneseIsAppliedAndShownByItsName) {
    const platform::Path folder = temp.MakeFolder("\u65E5\u672C\u8A9E");
    test_support::WriteFileBytes(folder.Join(L"c.txt"), "");

    // The Japanese folder sorts after "inner": open the folder, go down twice.
    DialogDriver driver({DialogAnswer::Key(VK_RETURN).Inspect([&](HWND dialog) {
        SelectedBranch(TreeOf(dialog));
        PressInTree(dialog, VK_RIGHT);
        PressInTree(dialog, VK_DOWN);
        PressInTree(dialog, VK_DOWN);
    })});
    AltDown();
    ASSERT_TRUE(driver.Finish()) << driver.Failure();
    EXPECT_TRUE(test_support::RecordedErrors().empty()) << test_support::RecordedErrors().front();
    EXPECT_EQ(form.FolderText(), folder.Text());
    EXPECT_EQ(form.FolderText().find(L'?'), std::wstring::npos);
    EXPECT_TRUE(platform::SameFileName(Listing().Directory(), folder))
        << test_support::Utf8Name(Listing().Directory().Text());
    EXPECT_EQ(Entries(Listing()), (std::vector<std::wstring>{L"c.txt"}));
}

TEST_F(FakeBrowser, AltDownAndTheButtonBrowseAndNoOtherKeyDoes) {
    Key(WM_KEYDOWN, VK_DOWN);
    Key(WM_SYSKEYDOWN, VK_UP, 1 << 29);
    Key(WM_SYSKEYDOWN, 'D', 1 << 29);
    EXPECT_EQ(counting.browses, 0);
    AltDown();
    EXPECT_EQ(counting.browses, 1);
    EXPECT_EQ(counting.owner, Form());
    ::SetFocus(form.edFolder());
    test_support::LeftClick(form.edFolderButton(), {10, 8});
    EXPECT_EQ(counting.browses, 2);
    EXPECT_EQ(::GetFocus(), form.edFolder()) << "the click leaves the keyboard with the field";
    // A disabled button is not pressed from the keyboard either.
    ::EnableWindow(form.edFolderButton(), FALSE);
    AltDown();
    EXPECT_EQ(counting.browses, 2);
    EXPECT_TRUE(test_support::RecordedErrors().empty());
}

TEST_F(FakeBrowser, CancellingChangesNothingAndSettingTheTextByProgramRunsNoChange) {
    const platform::Path directory = Listing().Directory();
    const std::string viewer = form.memHTML().Text();
    form.SetFolderText(temp.Path().Text());
    EXPECT_EQ(Listing().Directory(), directory);
    EXPECT_EQ(form.memHTML().Text(), viewer);
    AltDown();
    EXPECT_EQ(counting.browses, 1);
    EXPECT_EQ(form.FolderText(), temp.Path().Text());
    EXPECT_EQ(Listing().Directory(), directory);
    EXPECT_EQ(form.memHTML().Text(), viewer);
    EXPECT_EQ(form.StatusText(), kNotice);
}

TEST_F(FakeBrowser, AVirtualItemGivesAnEmptyTextAndLeavesTheListWhereItWas) {
    ITEMIDLIST* computer = nullptr;
    ASSERT_EQ(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    platform::UniqueItemId owned{computer};
    counting.answer = computer;
    const platform::Path directory = Listing().Directory();
    form.SetFolderText(temp.Path().Text());
    AltDown();
    EXPECT_EQ(form.FolderText(), L"");
    EXPECT_EQ(Listing().Directory(), directory);
    EXPECT_EQ(form.memHTML().Text(), "");
    EXPECT_EQ(form.StatusText(), L"");
    EXPECT_TRUE(Modified());
    EXPECT_TRUE(test_support::RecordedErrors().empty());
}

}  // namespace

