#include "dialogs/message_form.h"

#include "dialogs/message_layout.h"
#include "dialogs/message_table.h"
#include "dialogs/modal_scope.h"
#include "platform/ansi_text.h"
#include "platform/clipboard.h"
#include "platform/errors.h"
#include "widgets/application.h"
#include "widgets/display.h"
#include "widgets/dpi.h"
#include "widgets/gdi.h"
#include "widgets/window_text.h"

#include <algorithm>
#include <array>
#include <map>

namespace dialogs {

namespace {

constexpr UINT_PTR kImageId = 1, kMessageId = 2, kFirstButtonId = 100;
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;

platform::UniqueHFont CreateMessageFont(int dpi) {
    const LOGFONTW font = widgets::MessageFontAt(dpi);
    platform::UniqueHFont handle{::CreateFontIndirectW(&font)};
    if (!handle) throw platform::errors::CannotCreateFont(platform::AnsiFromWide(font.lfFaceName));
    return handle;
}

// The application reads right to left when its main window does.
bool ApplicationReadsRightToLeft() {
    auto* application = widgets::Application::Current();
    HWND main = application ? application->MainWindow() : nullptr;
    return main && (::GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_RTLREADING);
}

HWND OwnerWindow() {
    if (HWND active = ::GetActiveWindow()) return active;
    auto* application = widgets::Application::Current();
    return application ? application->MainWindow() : nullptr;
}

SIZE DialogUnits(HDC dc) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    ::GetTextExtentPoint32A(dc, kLetters, 52, &size);
    return SIZE{size.cx / 52, size.cy};
}

// The widest run of characters between blanks and line breaks.
int WidestWord(HDC dc, const std::wstring& text) {
    int widest = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = std::min(text.find_first_of(L" \t\r\n", start), text.size());
        SIZE word{};
        if (end > start && ::GetTextExtentPoint32W(dc, text.data() + start, static_cast<int>(end - start), &word))
            widest = std::max(widest, static_cast<int>(word.cx));
        start = end + 1;
    }
    return widest;
}

// Word-wrapped within half the screen's width. A longer word widens the text to that word and
// is never broken, even by a DrawText that would break it (at the backslashes of a path).
SIZE MeasureMessage(HDC dc, const std::wstring& text, bool rightToLeft) {
    RECT r{0, 0, std::max(::GetSystemMetrics(SM_CXSCREEN) / 2, WidestWord(dc, text)), 0};
    UINT flags = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | (rightToLeft ? DT_RTLREADING : 0);
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, flags);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// Each caption is measured once per process and dpi, at the first dialog that shows it.
int CaptionWidth(HDC dc, int button, int dpi) {
    static std::map<int, std::array<int, kButtonKinds>> widthsAt;
    auto& widths = widthsAt[dpi];
    if (!widths[button]) {
        RECT r{};
        ::DrawTextA(dc, ButtonAt(button).caption, -1, &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
        widths[button] = r.right - r.left;
    }
    return widths[button];
}

SIZE OuterSize(SIZE client, DWORD exStyle) {
    RECT r{0, 0, client.cx, client.cy};
    ::AdjustWindowRectEx(&r, kFormStyle, FALSE, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

bool Held(int key) { return ::GetKeyState(key) < 0; }

// A request to end the program met in the dialog's loop is noted, and goes back to the queue
// so that the loop running after the dialog ends too.
void NoteQuitRequest(WPARAM exitCode) {
    if (auto* application = widgets::Application::Current()) application->Terminate();
    ::PostQuitMessage(static_cast<int>(exitCode));
}

}  // namespace

TMessageForm::TMessageForm(const std::wstring& text, MessageKind kind, ButtonSet buttons)
    : icon_(KindOf(kind).icon) {
    const KindInfo& info = KindOf(kind);
    rightToLeft_ = ApplicationReadsRightToLeft();
    const DWORD exStyle = kFormExStyle | (rightToLeft_ ? WS_EX_RTLREADING : 0);
    const std::string caption = info.caption ? info.caption : widgets::Application::CurrentTitle();
    Create("TMessageForm", exStyle, caption.c_str(), kFormStyle, RECT{}, OwnerWindow(), 0, nullptr,
           ::GetSysColorBrush(COLOR_BTNFACE));
    row_ = ButtonsIn(buttons);

    // The children first, placed by Arrange once the window's dpi is known.
    const DWORD readingOrder = rightToLeft_ ? WS_EX_RTLREADING : 0;
    if (icon_) image_ = CreateChild("STATIC", "", SS_ICON, 0, kImageId);
    message_ = CreateChild("STATIC", "", (rightToLeft_ ? SS_RIGHT : SS_LEFT) | SS_NOPREFIX, readingOrder,
                           kMessageId, widgets::Charset::Unicode);
    ::SetWindowTextW(message_, text.c_str());
    const int defaultIndex = DefaultButtonOf(buttons), cancelIndex = CancelButtonOf(buttons);
    for (size_t i = 0; i < row_.size(); ++i) {
        const int index = row_[i];
        const DWORD style = BS_NOTIFY | (index == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND b = CreateChild("BUTTON", ButtonAt(index).caption, style, readingOrder, kFirstButtonId + i);
        buttons_.push_back(b);
        if (index == defaultIndex) default_ = b;
        if (index == cancelIndex) cancel_ = b;
    }

    const SIZE outer = Arrange(widgets::WindowDpi(Handle()));
    const POINT at = PlaceOnScreen(SIZE{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}, outer);
    ::SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE TMessageForm::Arrange(int dpi) {
    dpi_ = dpi;
    platform::UniqueHFont font = CreateMessageFont(dpi);
    MessageMeasures measures;
    {
        widgets::WindowDc dc(Handle());
        widgets::SelectScope select(dc.Dc(), font.get());
        measures.dialogUnits = DialogUnits(dc.Dc());
        measures.text = MeasureMessage(dc.Dc(), widgets::WideWindowText(message_), rightToLeft_);
        for (int button : row_)
            measures.widestCaption = std::max(measures.widestCaption, CaptionWidth(dc.Dc(), button, dpi));
    }
    measures.hasIcon = icon_ != nullptr;
    measures.iconSize = widgets::Scale(kIconSize, dpi);
    measures.buttonCount = static_cast<int>(row_.size());
    measures.rightToLeft = rightToLeft_;
    const MessageLayout layout = LayoutMessageDialog(measures);

    auto place = [](HWND child, const RECT& r) {
        ::MoveWindow(child, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    };
    ::SendMessageA(message_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    for (HWND b : buttons_) ::SendMessageA(b, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);  // the old one goes only now that no child uses it
    if (image_) {
        platform::UniqueHIcon icon{static_cast<HICON>(
            ::LoadImageA(nullptr, icon_, IMAGE_ICON, measures.iconSize, measures.iconSize, 0))};
        ::SendMessageA(image_, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
        iconImage_ = std::move(icon);
        // Setting the icon sized the control to it; the layout's place is what counts.
        place(image_, layout.icon);
    }
    place(message_, layout.message);
    for (size_t i = 0; i < buttons_.size(); ++i) place(buttons_[i], layout.buttons[i]);
    const SIZE outer = OuterSize(layout.client, static_cast<DWORD>(::GetWindowLongA(Handle(), GWL_EXSTYLE)));
    ::SetWindowPos(Handle(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return outer;
}

// Moved to a display of another dpi: laid out again for it, centred where the system suggests.
LRESULT TMessageForm::OnDpiChanged(WPARAM dpi, const RECT& suggested) {
    const SIZE outer = Arrange(LOWORD(dpi));
    const POINT at = widgets::CentreIn(suggested, outer);
    ::SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

// The children go before the font they use.
TMessageForm::~TMessageForm() {
    if (Handle()) ::DestroyWindow(Handle());
}

HWND TMessageForm::CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle, UINT_PTR id,
                               widgets::Charset charset) {
    return widgets::CreateControl(Handle(), className, text, style, RECT{}, id, exStyle, charset);
}

int TMessageForm::ShowModal() {
    RECT outer;
    ::GetWindowRect(Handle(), &outer);
    SIZE size{outer.right - outer.left, outer.bottom - outer.top};
    // On the display where the user works: the one of the active window, else the primary one.
    auto place = [&] {
        return widgets::CentreIn(
            widgets::DisplayRect(::MonitorFromWindow(::GetActiveWindow(), MONITOR_DEFAULTTOPRIMARY)), size);
    };
    POINT at = place();
    ::SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Built on the primary display; on a display of another dpi it is laid out again for it.
    if (const int dpi = widgets::WindowDpi(Handle()); dpi != dpi_) {
        size = Arrange(dpi);
        at = place();
    }
    ::SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (HWND capture = ::GetCapture()) ::SendMessageA(capture, WM_CANCELMODE, 0, 0);
    ::ReleaseCapture();

    modalResult_ = result::None;
    {
        ModalScope modal(Handle());
        ArrowCursorScope cursor;
        lastFocus_ = buttons_.empty() ? nullptr : buttons_.front();
        ::ShowWindow(Handle(), SW_SHOW);
        ::SetActiveWindow(Handle());
        ::SetFocus(lastFocus_ ? lastFocus_ : Handle());
        RunModalLoop();
        if (Handle()) ::ShowWindow(Handle(), SW_HIDE);
    }
    return modalResult_;
}

void TMessageForm::RunModalLoop() {
    MSG msg;
    while (modalResult_ == result::None) {
        auto* application = widgets::Application::Current();
        if (!Handle() || (application && application->Terminated())) {
            modalResult_ = result::Cancel;
            return;
        }
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) NoteQuitRequest(msg.wParam);
        if (got == 0 || got == -1) {
            modalResult_ = result::Cancel;
            return;
        }
        widgets::Guarded(msg.hwnd, [&] {
            if (PreviewKey(msg)) return;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        });
    }
}

LRESULT TMessageForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: return Command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE: return Activate(wParam);
    case WM_CLOSE: modalResult_ = result::Cancel; return 0;
    case widgets::kDpiChanged: return OnDpiChanged(wParam, *reinterpret_cast<const RECT*>(lParam));
    default: return Default(message, wParam, lParam);
    }
}

LRESULT TMessageForm::Command(WORD id, WORD code, HWND control) {
    if (IndexOf(control) < 0) return Default(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
    if (code == BN_CLICKED) Press(control);
    if (code == BN_SETFOCUS) ShowFocusAsDefault(control);
    return 0;
}

// Coming back to the dialog puts the focus back on the button that had it.
LRESULT TMessageForm::Activate(WPARAM state) {
    if (LOWORD(state) != WA_INACTIVE) ::SetFocus(lastFocus_ ? lastFocus_ : Handle());
    return 0;
}

// As with every row of push buttons, the one with the focus is drawn as the default.
void TMessageForm::ShowFocusAsDefault(HWND focused) {
    lastFocus_ = focused;
    for (HWND b : buttons_) {
        ::SendMessageA(b, BM_SETSTYLE, BS_NOTIFY | (b == focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), TRUE);
    }
}

int TMessageForm::IndexOf(HWND control) const {
    auto at = std::find(buttons_.begin(), buttons_.end(), control);
    return (control && at != buttons_.end()) ? static_cast<int>(at - buttons_.begin()) : -1;
}

// Help answers nothing and so leaves the dialog open; with no help file there is no topic to open.
void TMessageForm::Press(HWND button) {
    const int result = ButtonAt(row_[IndexOf(button)]).result;
    if (result != result::None) modalResult_ = result;
}

bool TMessageForm::PreviewKey(const MSG& msg) {
    if (!msg.hwnd || (msg.hwnd != Handle() && !::IsChild(Handle(), msg.hwnd))) return false;
    switch (msg.message) {
    case WM_KEYDOWN: return KeyDown(msg.wParam);
    case WM_CHAR:
    case WM_SYSCHAR: return AccessLetter(static_cast<char>(msg.wParam));
    default: return false;
    }
}

bool TMessageForm::KeyDown(WPARAM key) {
    const bool shift = Held(VK_SHIFT), ctrl = Held(VK_CONTROL), alt = Held(VK_MENU);
    const bool plain = !shift && !ctrl && !alt;
    switch (key) {
    case 'C':
        if (!ctrl || shift || alt) return false;
        CopyToClipboard();
        return true;
    case VK_RETURN:
        if (!plain) return false;
        if (IndexOf(::GetFocus()) >= 0) Press(::GetFocus());
        return true;
    case VK_ESCAPE:
        if (!plain) return false;
        if (cancel_) Press(cancel_);
        return true;
    case VK_TAB: MoveFocus(shift ? -1 : 1); return true;
    case VK_RIGHT:
    case VK_DOWN: MoveFocus(1); return true;
    case VK_LEFT:
    case VK_UP: MoveFocus(-1); return true;
    default: return false;
    }
}

bool TMessageForm::AccessLetter(char letter) {
    const int at = FindAccessKey(row_, letter);
    if (at < 0) return false;
    Press(buttons_[at]);
    return true;
}

void TMessageForm::MoveFocus(int step) {
    const int n = static_cast<int>(buttons_.size());
    if (n == 0) return;
    const int at = IndexOf(::GetFocus());
    const int next = at < 0 ? (step > 0 ? 0 : n - 1) : (at + step + n) % n;
    ::SetFocus(buttons_[next]);
}

void TMessageForm::CopyToClipboard() {
    ::MessageBeep(0);
    std::vector<std::string> captions;
    for (int button : row_) captions.push_back(ButtonAt(button).caption);
    const std::wstring text = MessageCopyText(widgets::WideWindowText(Handle()), widgets::WideWindowText(message_), captions);
    platform::SystemClipboard().SetText(Handle(), text);
}

}  // namespace dialogs
