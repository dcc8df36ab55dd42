// The folder field on the real main window: what the keyboard and the clipboard can do to it, and
// the shell's folder browser driven as a person would drive it. The browser is the real one
// except where a test must hand back something a person cannot easily reach (a virtual item).
// The screenshot of the open browser goes to <build>\screenshots\folder_browser.bmp.
#include "app/main_form.h"
#include "platform/ansi_text.h"
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
constexpr const char* kNotice = "shown before";

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
std::vector<std::string> SelectedBranch(HWND tree) {
    for (int i = 0; i < 200 && !Caret(tree); ++i) ::Sleep(10);
    std::vector<std::string> branch;
    for (HTREEITEM item = Caret(tree); item;
         item = reinterpret_cast<HTREEITEM>(
             ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)))) {
        char text[MAX_PATH] = {};
        TVITEMA tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = sizeof text;
        ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
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
std::string Leaf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

std::vector<std::string> Entries(const browse::FileListing& listing) {
    std::vector<std::string> entries;
    for (int i = 0; i < listing.Count(); ++i) entries.push_back(listing.Entry(i));
    return entries;
}

// Forwards to the shell's own browser and counts the browses; one that hands back a set item
// instead of showing the browser, when given one.
class CountingBrowser : public platform::FolderBrowser {
public:
    platform::UniqueItemId Browse(BROWSEINFOA& info) override {
        ++browses;
        owner = info.hwndOwner;
        if (!answer) return {};
        return CopyItem(answer);
    }
    platform::UniqueItemId ItemOfPath(const std::wstring& path) override { return system.ItemOfPath(path); }
    platform::UniqueItemId CopyItem(const ITEMIDLIST* item) override { return system.CopyItem(item); }
    std::string PathOfItem(const ITEMIDLIST* item) override { return system.PathOfItem(item); }

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
        ::SetCurrentDirectoryA(platform::ExecutableFolder().c_str());
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
        test_support::WriteFileBytes(inner + "\\a.txt", "a");
        test_support::WriteFileBytes(inner + "\\b.txt", "b");
        form.Show();
        form.SetFolderText(temp.Path());
        form.SetStatusText(kNotice);
    }

    std::string inner;
};

class FakeBrowser : public FolderChooser {
protected:
    FakeBrowser() : FolderChooser(true) {
        form.Show();
        form.SetStatusText(kNotice);
    }
};

TEST_F(RealBrowser, TheFieldTakesNoTypingCuttingOrPastingButSelectsAndCopies) {
    const std::string text = temp.Path();
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
    EXPECT_EQ(copied, platform::WideFromAnsi(text));
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
    std::vector<std::string> branch, statics;
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
    EXPECT_EQ(branch[1], "Temp");
    // No text above the tree.
    for (const std::string& text : statics) EXPECT_EQ(text, "");

    EXPECT_EQ(form.FolderText(), inner);
    EXPECT_EQ(Listing().Directory(), inner);
    EXPECT_EQ(Entries(Listing()), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(form.memHTML().Text(), "");
    EXPECT_EQ(form.StatusText(), "");
    EXPECT_TRUE(Modified());
    EXPECT_EQ(::GetForegroundWindow(), Form());
    EXPECT_TRUE(test_support::RecordedErrors().empty());
}

TEST_F(RealBrowser, EscapeCancelsAfterMovingAndTheNextBrowseStartsAgainFromTheField) {
    const std::string directory = Listing().Directory(), viewer = form.memHTML().Text();
    std::vector<std::string> first, second;
    DialogDriver driver({DialogAnswer::Key(VK_ESCAPE).Inspect([&](HWND dialog) {
                             first = SelectedBranch(TreeOf(dialog));
                             PressInTree(dialog, VK_RIGHT);
                             PressInTree(dialog, VK_DOWN);
                         }),
                         DialogAnswer::Key(VK_ESCAPE).Inspect([&](HWND dialog) {
                             second = SelectedBranch(TreeOf(dialog));
                         })});
    AltDown();
    EXPECT_EQ(form.FolderText(), temp.Path());
    AltDown();
    ASSERT_TRUE(driver.Finish()) << driver.Failure();

    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first[0], Leaf(temp.Path()));
    EXPECT_EQ(second, first);
    EXPECT_EQ(form.FolderText(), temp.Path());
    EXPECT_EQ(Listing().Directory(), directory);
    EXPECT_EQ(form.memHTML().Text(), viewer);
    EXPECT_EQ(form.StatusText(), kNotice);
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(test_support::RecordedErrors().empty());
}

TEST_F(RealBrowser, ChoosingTheSameFolderAgainRunsTheChangeAgain) {
    DialogDriver driver({DialogAnswer::Key(VK_RETURN), DialogAnswer::Key(VK_RETURN)});
    AltDown();
    EXPECT_EQ(form.FolderText(), temp.Path());
    EXPECT_EQ(Listing().Directory(), temp.Path());
    EXPECT_EQ(Entries(Listing()), (std::vector<std::string>{"top.txt"}));
    EXPECT_EQ(form.memHTML().Text(), "");
    EXPECT_EQ(form.StatusText(), "");

    form.memHTML().SetText("shown");
    form.SetStatusText("status");
    test_support::LeftClick(form.edFolderButton(), {10, 8});
    ASSERT_TRUE(driver.Finish()) << driver.Failure();
    EXPECT_EQ(form.FolderText(), temp.Path());
    EXPECT_EQ(form.memHTML().Text(), "");
    EXPECT_EQ(form.StatusText(), "");
    EXPECT_TRUE(test_support::RecordedErrors().empty());
}

TEST_F(RealBrowser, AChosenFolderThatVanishedKeepsTheNewTextTheOldListAndShowsTheError) {
    const std::string directory = Listing().Directory(), viewer = form.memHTML().Text();
    form.SetFolderText(inner);
    // The error goes to the box this time, which a person closes.
    widgets::SetErrorHandler(nullptr);
    DialogDriver driver({DialogAnswer::Key(VK_RETURN).Inspect([&](HWND) { test_support::RemoveTree(inner); }),
                         DialogAnswer::Key(VK_RETURN)});
    AltDown();
    ASSERT_TRUE(driver.Finish()) << driver.Failure();
    ASSERT_EQ(driver.Seen().size(), 2u);
    EXPECT_EQ(driver.Seen()[1].text, "File not found");
    EXPECT_EQ(form.FolderText(), inner);
    EXPECT_EQ(Listing().Directory(), directory);
    EXPECT_EQ(form.memHTML().Text(), viewer);
    EXPECT_EQ(form.StatusText(), kNotice);
}

TEST_F(RealBrowser, AFolderNamedInJapaneseIsAppliedAndShownByItsShortPath) {
    ASSERT_EQ(::GetACP(), 1252u) << "the test is written for a Western code page";
    const std::wstring folder = platform::WideFromAnsi(temp.Path()) + L"\\\u65E5\u672C\u8A9E";
    const std::wstring file = folder + L"\\c.txt";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    platform::UniqueFile created{::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)};
    ASSERT_TRUE(created);
    created.reset();
    platform::ScopeExit remove([&] {
        ::SetCurrentDirectoryA(platform::ExecutableFolder().c_str());
        ::DeleteFileW(file.c_str());
        ::RemoveDirectoryW(folder.c_str());
    });
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameW(folder.c_str(), shortPath, MAX_PATH), 0u);
    bool lossy = true;
    const std::string expected = platform::AnsiFromWide(shortPath, &lossy);
    ASSERT_FALSE(lossy);

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
    EXPECT_EQ(form.FolderText(), expected);
    EXPECT_EQ(form.FolderText().find('?'), std::string::npos);
    EXPECT_EQ(::lstrcmpiA(Listing().Directory().c_str(), expected.c_str()), 0) << Listing().Directory();
    EXPECT_EQ(Entries(Listing()), (std::vector<std::string>{"c.txt"}));
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
    const std::string directory = Listing().Directory(), viewer = form.memHTML().Text();
    form.SetFolderText(temp.Path());
    EXPECT_EQ(Listing().Directory(), directory);
    EXPECT_EQ(form.memHTML().Text(), viewer);
    AltDown();
    EXPECT_EQ(counting.browses, 1);
    EXPECT_EQ(form.FolderText(), temp.Path());
    EXPECT_EQ(Listing().Directory(), directory);
    EXPECT_EQ(form.memHTML().Text(), viewer);
    EXPECT_EQ(form.StatusText(), kNotice);
}

TEST_F(FakeBrowser, AVirtualItemGivesAnEmptyTextAndLeavesTheListWhereItWas) {
    ITEMIDLIST* computer = nullptr;
    ASSERT_EQ(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    platform::UniqueItemId owned{computer};
    counting.answer = computer;
    const std::string directory = Listing().Directory();
    form.SetFolderText(temp.Path());
    AltDown();
    EXPECT_EQ(form.FolderText(), "");
    EXPECT_EQ(Listing().Directory(), directory);
    EXPECT_EQ(form.memHTML().Text(), "");
    EXPECT_EQ(form.StatusText(), "");
    EXPECT_TRUE(Modified());
    EXPECT_TRUE(test_support::RecordedErrors().empty());
}

}  // namespace

