// The main window as built: places, anchoring, limits, texts, tab order, hints, the banner and
// the task-bar button.
#include "app/main_form.h"
#include "support/dialog_driver.h"
#include "support/main_form_places.h"
#include "support/recording_shell.h"
#include "support/window_driving.h"
#include "widgets/application.h"

#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using test_support::Centre;
using test_support::ClientSize;
using test_support::RectInParent;
using test_support::SendMouse;

constexpr const wchar_t* kWebAddress = L"https://zavotek.example/";

class MainForm : public ::testing::Test {
protected:
    void TearDown() override { test_support::DispatchWaitingMessages(); }

    HWND Form() const { return form.Handle(); }
    HWND Panel() { return form.Panel1().Handle(); }
    HWND Label(const char* text) { return ::FindWindowExA(Panel(), nullptr, "Static", text); }
    void Resize(int width, int height) {
        RECT r;
        ::GetWindowRect(Form(), &r);
        ::MoveWindow(Form(), r.left, r.top, width, height, TRUE);
    }
    SIZE OuterSize() const {
        RECT r;
        ::GetWindowRect(Form(), &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    }

    test_support::RecordingShell shell;
    app::TForm1 form{shell};
};

// Every control where the layout puts it for the window's present client size; the folder field's
// browse button lies inside it, along the right edge of its client area.
void ExpectPlacedForClient(app::TForm1& form) {
    test_support::ExpectPlacedAsComputed(form);
    EXPECT_EQ(::GetParent(form.edFolderButton()), form.edFolder());
    const SIZE inside = ClientSize(form.edFolder());
    const RECT button = RectInParent(form.edFolderButton());
    EXPECT_EQ(button.right, inside.cx);
    EXPECT_EQ(button.top, 0);
    EXPECT_EQ(button.bottom, inside.cy);
}

TEST_F(MainForm, StartsCaptionedAtItsMinimumSizeInTheMiddleOfTheScreen) {
    char caption[128] = {};
    ::GetWindowTextA(Form(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Zavotek - String Search & Replace Utility");
    EXPECT_EQ(OuterSize().cx, 640);
    EXPECT_EQ(OuterSize().cy, 530);
    // The whole screen, not the work area, which a task bar along the top would make this band.
    RECT work, band{0, 200, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}, r;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ASSERT_TRUE(::SystemParametersInfoA(SPI_SETWORKAREA, 0, &band, 0));
    app::TForm1 placed{shell};
    ::SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0);
    ::GetWindowRect(placed.Handle(), &r);
    EXPECT_NEAR(r.left, band.right - r.right, 1);
    EXPECT_NEAR(r.top, band.bottom - r.bottom, 1);
    LONG style = ::GetWindowLongA(Form(), GWL_STYLE);
    for (LONG bit : {WS_THICKFRAME, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX}) EXPECT_TRUE(style & bit) << bit;
    EXPECT_EQ(::GetMenu(Form()), nullptr);
}

// Every control where the layout puts it at the starting size and after each resize. The window
// manager applies the minimum to every resize of a sizable window, not only to the user's dragging
// of the frame.
TEST_F(MainForm, ResizesNoSmallerThan640By530AndCarriesTheAnchoredControls) {
    MINMAXINFO info{};
    ::SendMessageA(Form(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 640);
    EXPECT_EQ(info.ptMinTrackSize.y, 530);
    const SIZE sizes[][2] = {{{640, 530}, {640, 530}}, {{900, 600}, {900, 600}}, {{700, 800}, {700, 800}},
                             {{300, 200}, {640, 530}}, {{639, 800}, {640, 800}}};
    for (const auto& [asked, outer] : sizes) {
        Resize(asked.cx, asked.cy);
        EXPECT_EQ(std::make_pair(OuterSize().cx, OuterSize().cy), std::make_pair(outer.cx, outer.cy))
            << "asked for " << asked.cx << " x " << asked.cy;
        ExpectPlacedForClient(form);
    }
}

// The tooltip's tools: which window and region each covers and its text.
struct Tool {
    HWND window;
    UINT_PTR id;
    bool isWindow;
    RECT region;
    std::string text;
};

// A tool's whole text. The ANSI messages give back at most 80 characters, though the tooltip
// keeps and shows the whole text; the wide one gives it all.
std::string ToolText(HWND tooltip, HWND window, UINT_PTR id) {
    wchar_t text[1024] = {};
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = window;
    info.uId = id;
    if (!::SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) return "(none)";
    info.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&info));
    char ansi[1024] = {};
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
    return ansi;
}

std::vector<Tool> ToolsOf(HWND tooltip) {
    std::vector<Tool> tools;
    int count = static_cast<int>(::SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TTTOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        if (!::SendMessageA(tooltip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&info))) continue;
        tools.push_back({info.hwnd, info.uId, (info.uFlags & TTF_IDISHWND) != 0, info.rect,
                         ToolText(tooltip, info.hwnd, info.uId)});
    }
    return tools;
}

TEST_F(MainForm, ButtonHintsFollowTheButtonsWhenTheWindowIsWidened) {
    Resize(900, 600);
    int regions = 0;
    for (const Tool& tool : ToolsOf(form.Hints().Handle())) {
        if (tool.isWindow) continue;
        ++regions;
        EXPECT_EQ(tool.window, Panel());
        const widgets::GraphicButton& button =
            tool.text.find("selected file") != std::string::npos ? form.btnReplace() : form.btnGlobReplace();
        EXPECT_TRUE(::EqualRect(&tool.region, &button.Place())) << tool.text;
    }
    EXPECT_EQ(regions, 2);
}

// A drag of the splitter by `dx` pixels with the left button, as the mouse reports it.
void DragSplitter(app::TForm1& form, int dx, bool release = true) {
    HWND splitter = form.Splitter1().Handle();
    const POINT grab{1, 40};
    SendMouse(splitter, WM_LBUTTONDOWN, grab, MK_LBUTTON);
    // With the mouse captured, positions are relative to the splitter where it was.
    SendMouse(splitter, WM_MOUSEMOVE, {grab.x + dx / 2, grab.y}, MK_LBUTTON);
    SendMouse(splitter, WM_MOUSEMOVE, {grab.x + dx, grab.y}, MK_LBUTTON);
    if (release) SendMouse(splitter, WM_LBUTTONUP, {grab.x + dx, grab.y});
}

LONG ListWidthOnScreen(app::TForm1& form) {
    RECT r = RectInParent(form.FileListBox().Handle());
    return r.right - r.left;
}

TEST_F(MainForm, DraggingTheSplitterSetsTheListWidthWithinFiftyAndTwoHundredFifty) {
    ASSERT_EQ(ListWidthOnScreen(form), 180);
    DragSplitter(form, 40, false);
    EXPECT_TRUE(form.Splitter1().Dragging());
    EXPECT_EQ(ListWidthOnScreen(form), 180) << "the list keeps its width until the button is released";
    SendMouse(form.Splitter1().Handle(), WM_LBUTTONUP, {41, 40});
    EXPECT_FALSE(form.Splitter1().Dragging());
    EXPECT_EQ(ListWidthOnScreen(form), 220);
    EXPECT_EQ(RectInParent(form.memHTML().Handle()).left, 223);

    DragSplitter(form, 500);
    EXPECT_EQ(ListWidthOnScreen(form), 250);
    DragSplitter(form, -500);
    EXPECT_EQ(ListWidthOnScreen(form), 50);
    DragSplitter(form, 30);
    EXPECT_EQ(ListWidthOnScreen(form), 80);
    // A resize of the window leaves the width as the user set it.
    Resize(900, 600);
    EXPECT_EQ(ListWidthOnScreen(form), 80);
    ExpectPlacedForClient(form);
}

TEST_F(MainForm, EscWhileDraggingEndsTheDragWithoutResizing) {
    widgets::Application application("Zavotek - Search & Replace");
    form.Show();
    ::SetFocus(form.edSearch());
    DragSplitter(form, 50, false);
    ASSERT_TRUE(form.Splitter1().Dragging());
    // The key arrives the way a real key press does: posted to the focus, through the loop.
    HWND focus = ::GetFocus();
    ::PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ::PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    application.ProcessMessages();
    EXPECT_FALSE(form.Splitter1().Dragging());
    EXPECT_NE(::GetCapture(), form.Splitter1().Handle());
    EXPECT_EQ(::GetFocus(), form.edSearch()) << "the focus goes back where it was";
    SendMouse(form.Splitter1().Handle(), WM_LBUTTONUP, {51, 40});
    EXPECT_EQ(ListWidthOnScreen(form), 180);
    EXPECT_EQ(form.ListWidth(), 180);
}

TEST_F(MainForm, LosingTheMouseWhileDraggingAlsoCancels) {
    DragSplitter(form, 50, false);
    ::SendMessageA(form.Splitter1().Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(form.Splitter1().Dragging());
    SendMouse(form.Splitter1().Handle(), WM_LBUTTONUP, {51, 40});
    EXPECT_EQ(ListWidthOnScreen(form), 180);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

TEST_F(MainForm, TheViewerIsAReadOnlyRichEditGreetingWithTheWelcomeTextInBlue) {
    const std::vector<std::string> expected = {
        "Welcome to the String Search and Replace Utility!",
        "",
        "Instructions - Single File:",
        std::string(30, '-'),
        "",
        "Select a file from the left and click the \"Replace\" ",
        "button to search for and replace all instances of the ",
        "string within the selected file.",
        "",
        "Instructions - Multiple Files:",
        std::string(33, '-'),
        "",
        "Click on the \"Replace All\" button to search for ",
        "and replace all instances of the string within all ",
        "the listed files in the current folder.",
        "",
        "The \"Confirm Before Replace\" option will allow",
        "you to bail out should you choose to, with ",
        "\"Global Replace\" each file will be confirmed. ",
        "",
        "To save your search strings for the next session ",
        "select the \"Save Search\" option before exiting.",
        "",
        "To view a file with its associated application",
        "select it in the list and double-click on it.",
    };
    std::vector<std::string> lines = Lines(form.memHTML().Text());
    ASSERT_EQ(lines.size(), 25u);
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    for (int n : {6, 7, 13, 14, 18, 19, 21}) EXPECT_EQ(lines[n - 1].back(), ' ') << "line " << n;

    HWND viewer = form.memHTML().Handle();
    ::SendMessageA(viewer, EM_SETSEL, 0, -1);
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    ::SendMessageA(viewer, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    ASSERT_TRUE(format.dwMask & CFM_COLOR) << "one colour throughout";
    EXPECT_FALSE(format.dwEffects & CFE_AUTOCOLOR);
    EXPECT_EQ(format.crTextColor, RGB(0, 0, 255));
    EXPECT_STREQ(format.szFaceName, "Lucida Console");
    // A read-only rich edit, and no tab stop.
    EXPECT_EQ(test_support::WindowClass(viewer), "RICHEDIT");
    const LONG style = ::GetWindowLongA(viewer, GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_FALSE(style & WS_TABSTOP);
}

TEST_F(MainForm, TheStatusBarHoldsTheMakersNotice) {
    std::wstring notice = form.StatusText();
    ASSERT_GT(notice.size(), 2u);
    EXPECT_EQ(notice[0], L' ');
    EXPECT_NE(notice[1], L' ');
    EXPECT_NE(notice.find(L"Zavotek"), std::wstring::npos) << notice;
    EXPECT_NE(notice.find(L"2005"), std::wstring::npos) << notice;
    const std::wstring tail = std::wstring(L" - ") + kWebAddress;
    ASSERT_GE(notice.size(), tail.size());
    EXPECT_EQ(notice.substr(notice.size() - tail.size()), tail);
    // One panel across the whole width.
    int rightEdges[4] = {};
    EXPECT_EQ(::SendMessageA(form.StatBar(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(rightEdges)), 1);
    EXPECT_EQ(rightEdges[0], -1);
}

// Every window of the form shows its text in the form's font, but those that draw their own: the
// pictures, the panel and the splitter (no text), the browse button (a picture), the viewer (a font
// of its own) and the status bar, which keeps the system's status font.
TEST_F(MainForm, EveryTextIsInTahomaElevenPixelsHighButTheStatusBarsInTheSystemsStatusFont) {
    std::vector<HWND> windows;
    ::EnumChildWindows(
        Form(), [](HWND w, LPARAM all) { return reinterpret_cast<std::vector<HWND>*>(all)->push_back(w), TRUE; },
        reinterpret_cast<LPARAM>(&windows));
    const HWND own[] = {form.imgBan().Handle(), form.imgWeb().Handle(), Panel(), form.edFolderButton(),
                        form.Splitter1().Handle(), form.memHTML().Handle()};
    NONCLIENTMETRICSA metrics{sizeof metrics};
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    const LOGFONTA& status = metrics.lfStatusFont;
    for (HWND w : windows) {
        if (std::find(std::begin(own), std::end(own), w) != std::end(own)) continue;
        LOGFONTA used{};
        ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(w, WM_GETFONT, 0, 0)), sizeof used, &used);
        using Font = std::pair<std::string, LONG>;
        EXPECT_EQ(Font(used.lfFaceName, used.lfHeight),
                  w == form.StatBar() ? Font(status.lfFaceName, status.lfHeight) : Font("Tahoma", -11))
            << test_support::WindowClass(w) << " " << ::GetDlgCtrlID(w) << " " << test_support::WindowText(w);
    }
}

TEST_F(MainForm, TabGoesThroughThePanelInItsOrderThenToTheFileList) {
    form.Show();
    const HWND order[] = {form.cbFileType(), form.cbWarn(),     form.cbSaveSearch(), form.edSearch(),
                          form.edReplace(),  form.edFolder(),   form.cbWordWrap(),   form.FileListBox().Handle()};
    EXPECT_EQ(::GetNextDlgTabItem(Form(), nullptr, FALSE), order[0]);
    const size_t n = std::size(order);
    for (size_t i = 0; i < n; ++i) {
        EXPECT_EQ(::GetNextDlgTabItem(Form(), order[i], FALSE), order[(i + 1) % n]) << "after stop " << i;
        EXPECT_EQ(::GetNextDlgTabItem(Form(), order[(i + 1) % n], TRUE), order[i]) << "before stop " << i + 1;
    }
    EXPECT_FALSE(::GetWindowLongA(form.edFolderButton(), GWL_STYLE) & WS_TABSTOP);
}

TEST_F(MainForm, TheGraphicButtonsHaveNoWindowAndNeverTakeTheFocus) {
    for (const char* caption : {"Replace", "Replace All"}) {
        EXPECT_EQ(::FindWindowExA(Panel(), nullptr, nullptr, caption), nullptr) << caption;
    }
    EXPECT_EQ(form.btnReplace().Caption(), "Replace");
    EXPECT_EQ(form.btnGlobReplace().Caption(), "Replace All");

    // Observe the handlers the form wired, and still run them.
    int replace = 0, global = 0;
    ASSERT_TRUE(form.btnReplace().OnClick);
    ASSERT_TRUE(form.btnGlobReplace().OnClick);
    auto wiredReplace = form.btnReplace().OnClick, wiredGlobal = form.btnGlobReplace().OnClick;
    form.btnReplace().OnClick = [&] { ++replace, wiredReplace(); };
    form.btnGlobReplace().OnClick = [&] { ++global, wiredGlobal(); };

    form.Show();
    ::SetFocus(form.edReplace());
    // With nothing typed, each command tells so in one box; Esc closes it.
    test_support::DialogDriver driver({test_support::DialogAnswer::Key(VK_ESCAPE),
                                       test_support::DialogAnswer::Key(VK_ESCAPE)});
    test_support::LeftClick(Panel(), Centre(form.btnReplace().Place()));
    EXPECT_EQ(replace, 1);
    EXPECT_EQ(global, 0);
    EXPECT_EQ(::GetFocus(), form.edReplace());
    test_support::LeftClick(Panel(), Centre(form.btnGlobReplace().Place()));
    EXPECT_EQ(replace, 1);
    EXPECT_EQ(global, 1);
    EXPECT_TRUE(driver.Finish()) << driver.Failure();
    EXPECT_EQ(::GetFocus(), form.edReplace());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(MainForm, AGraphicButtonClicksOnlyWhenPressedAndReleasedOverIt) {
    int clicks = 0;
    form.btnReplace().OnClick = [&] { ++clicks; };
    const RECT place = form.btnReplace().Place();
    const POINT over = Centre(place), beside{place.left - 5, place.top + 3}, away{place.right + 20, place.bottom + 20};
    const struct {
        const char* what;
        POINT down;
        std::vector<POINT> moves;  // with the button held
        bool takenAway;            // the mouse taken away before the release
        POINT up;
        int clicks;
    } presses[] = {{"released beside it", over, {beside}, false, beside, 0},
                   {"pressed beside it", beside, {}, false, over, 0},
                   {"the mouse taken away", over, {}, true, over, 0},
                   {"out and back in", over, {away, over}, false, over, 1}};
    for (const auto& p : presses) {
        clicks = 0;
        SendMouse(Panel(), WM_LBUTTONDOWN, p.down, MK_LBUTTON);
        EXPECT_EQ(::GetCapture() == Panel(), p.down.x == over.x) << p.what << ": the panel holds the mouse";
        for (POINT at : p.moves) SendMouse(Panel(), WM_MOUSEMOVE, at, MK_LBUTTON);
        if (p.takenAway) ::SendMessageA(Panel(), WM_CANCELMODE, 0, 0);
        SendMouse(Panel(), WM_LBUTTONUP, p.up);
        EXPECT_EQ(clicks, p.clicks) << p.what;
    }
}

TEST_F(MainForm, ClickingEitherBannerPictureAsksTheShellToOpenTheWebAddress) {
    const std::wstring status = form.StatusText();
    const std::string text = form.memHTML().Text();
    test_support::LeftClick(form.imgBan().Handle(), {20, 20});
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].owner, nullptr);
    EXPECT_EQ(shell.opened[0].file.Text(), kWebAddress);
    test_support::LeftClick(form.imgWeb().Handle(), {16, 16});
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[1].owner, nullptr);
    EXPECT_EQ(shell.opened[1].file.Text(), kWebAddress);
    // A press that ends off the picture opens nothing.
    SendMouse(form.imgBan().Handle(), WM_LBUTTONDOWN, {20, 20}, MK_LBUTTON);
    SendMouse(form.imgBan().Handle(), WM_LBUTTONUP, {-10, 80});
    EXPECT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(form.StatusText(), status);
    EXPECT_EQ(form.memHTML().Text(), text);
    HCURSOR hand = ::LoadCursorA(nullptr, IDC_HAND);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtrA(form.imgBan().Handle(), GCLP_HCURSOR)), hand);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtrA(form.imgWeb().Handle(), GCLP_HCURSOR)), hand);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtrA(form.Splitter1().Handle(), GCLP_HCURSOR)),
              ::LoadCursorA(nullptr, IDC_SIZEWE));
}

std::string HintOf(HWND tooltip, HWND control) {
    return ToolText(tooltip, ::GetParent(control), reinterpret_cast<UINT_PTR>(control));
}

TEST_F(MainForm, HintsShowAfterHalfASecondAndGoAfterTwoAndAHalf) {
    HWND tooltip = form.Hints().Handle();
    EXPECT_EQ(::SendMessageA(tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(::SendMessageA(tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2500);
    EXPECT_EQ(::SendMessageA(tooltip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 0);

    EXPECT_EQ(HintOf(tooltip, form.imgBan().Handle()), "Visit Zavotek Website");
    EXPECT_EQ(HintOf(tooltip, form.imgWeb().Handle()), "Visit Zavotek Website");
    EXPECT_EQ(HintOf(tooltip, form.cbWarn()), "Diaplay a confirmation box before opening each file");
    EXPECT_EQ(HintOf(tooltip, form.cbSaveSearch()), "Save the Search/Replace strings after closing this application");
    EXPECT_EQ(HintOf(tooltip, form.cbWordWrap()), "Wrap the text in the viewer");
    for (HWND none : {form.edSearch(), form.edReplace(), form.edFolder(), form.cbFileType(),
                      form.FileListBox().Handle(), Label("File Type:")}) {
        EXPECT_EQ(HintOf(tooltip, none), "(none)");
    }
    std::vector<std::string> regionTexts;
    for (const Tool& tool : ToolsOf(tooltip)) {
        if (!tool.isWindow) regionTexts.push_back(tool.text);
    }
    EXPECT_EQ(regionTexts, (std::vector<std::string>{
                               "Replace all instances of the string within the selected file",
                               "Replace all instances of the string in all the files in the currently selected folder"}));
}

TEST_F(MainForm, ClosingTheWindowEndsTheProgram) {
    widgets::Application application("Zavotek - Search & Replace");
    form.Show();
    HWND window = Form();
    ::SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(application.Terminated());
}

// The windows a shell gives a task-bar button: visible top-level windows, no tool windows, with
// no owner or asking for a button.
BOOL CALLBACK AddIfOnTaskBar(HWND window, LPARAM found) {
    const LONG ex = ::GetWindowLongA(window, GWL_EXSTYLE);
    if (::IsWindowVisible(window) && !(ex & WS_EX_TOOLWINDOW) && (!::GetWindow(window, GW_OWNER) || (ex & WS_EX_APPWINDOW)))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// The task bar shows the application's title, on a window that owns the main window and that
// minimises and restores it.
TEST(TaskBar, ShowsTheTitleOnAWindowThatMinimisesAndRestoresTheMainWindow) {
    widgets::Application application{"Zavotek - Search & Replace"};
    test_support::RecordingShell shell;
    app::TForm1 form{shell};
    form.Show();
    std::vector<HWND> buttons;
    ::EnumThreadWindows(::GetCurrentThreadId(), AddIfOnTaskBar, reinterpret_cast<LPARAM>(&buttons));
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(test_support::WindowText(buttons[0]), "Zavotek - Search & Replace");
    EXPECT_EQ(::GetWindow(form.Handle(), GW_OWNER), buttons[0]);
    EXPECT_EQ(test_support::WindowText(form.Handle()), "Zavotek - String Search & Replace Utility");

    ::SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(::IsIconic(buttons[0]));
    EXPECT_FALSE(::IsWindowVisible(form.Handle()));
    ::SendMessageA(buttons[0], WM_SYSCOMMAND, SC_RESTORE, 0);  // as a click on the button does
    EXPECT_TRUE(::IsWindowVisible(form.Handle()));
    EXPECT_EQ(::GetActiveWindow(), form.Handle());
    test_support::DispatchWaitingMessages();
}

}  // namespace
