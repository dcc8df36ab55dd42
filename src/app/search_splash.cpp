#include "app/search_splash.h"

#include "platform/errors.h"
#include "widgets/application.h"
#include "widgets/display.h"
#include "widgets/dpi.h"
#include "widgets/form_font.h"
#include "widgets/gdi.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace app {

namespace {

constexpr const char* kCaption = " Searching...";
constexpr const char* kLabelText = "Performing Search & Replace, please wait...";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr SIZE kClient{261, 43};
constexpr RECT kAnimate1{12, 13, 28, 29}, kLabel1{37, 15, 249, 28};
constexpr UINT_PTR kAnimate1Id = 1, kLabel1Id = 2;
constexpr WORD kLastFrame = 7;  // frames 1 to 8

// The clip's main AVI header ("avih") follows the RIFF header, the header list's and its own
// chunk header: 12 + 12 + 8 bytes in. Its frame count and frame size are little-endian DWORDs.
constexpr size_t kMainHeader = 32;
constexpr size_t kTotalFramesAt = kMainHeader + 16, kWidthAt = kMainHeader + 32, kHeightAt = kMainHeader + 36;
constexpr size_t kHeaderBytesRead = kHeightAt + 4;

// The clip's frame count and frame size, from its main AVI header.
struct ClipFrames {
    std::uint32_t count, width, height;
};

std::uint32_t LittleEndianAt(const unsigned char* data, size_t offset) {
    return data[offset] | data[offset + 1] << 8 | data[offset + 2] << 16 | std::uint32_t{data[offset + 3]} << 24;
}

ClipFrames ReadClipFrames(HMODULE module, int clip) {
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(clip), "AVI");
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* data = static_cast<const unsigned char*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!data || ::SizeofResource(module, found) < kHeaderBytesRead) throw platform::errors::CannotOpenAvi();
    return ClipFrames{LittleEndianAt(data, kTotalFramesAt), LittleEndianAt(data, kWidthAt), LittleEndianAt(data, kHeightAt)};
}

// How much wider than its place the label's text draws in `font`. On Windows the text fits the
// form's width; a stand-in face (Wine's Tahoma is wider) would cut the last words off, so label
// and window then widen by the difference.
int LabelOverflow(HFONT font, int labelWidth) {
    widgets::WindowDc screen(nullptr);
    widgets::SelectScope select(screen.Dc(), font);
    SIZE text{};
    ::GetTextExtentPoint32A(screen.Dc(), kLabelText, static_cast<int>(std::char_traits<char>::length(kLabelText)), &text);
    return std::max(0, static_cast<int>(text.cx) - labelWidth);
}

// The window of the program that takes the activation when the active one goes: the first (in
// z-order) visible, enabled window that is not topmost, else the first topmost one.
HWND NextWindowOfProgram() {
    HWND firstTopmost = nullptr;
    const DWORD program = ::GetCurrentProcessId();
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(w, &owner);
        if (owner != program || !::IsWindowVisible(w) || !::IsWindowEnabled(w)) continue;
        if (!(::GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST)) return w;
        if (!firstTopmost) firstTopmost = w;
    }
    return firstTopmost;
}

}  // namespace

TfrmSearchSplash::TfrmSearchSplash(const char* clipModule, int clip) : clipModule_(::LoadLibraryA(clipModule)) {
    if (!clipModule_) throw platform::errors::CannotOpenAvi();
    auto* application = widgets::Application::Current();
    // Sized and filled once its window, and so its display's dpi, is there.
    Create("TfrmSearchSplash", kExStyle, kCaption, kStyle, RECT{}, application ? application->MainWindow() : nullptr,
           0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
    label_ = widgets::CreateControl(Handle(), "STATIC", kLabelText, SS_LEFT | SS_NOPREFIX, RECT{}, kLabel1Id);
    // No timer style: the control plays on a thread of its own, whatever this thread is doing.
    // A clip wider than its place (Wine's is) must not paint over the label.
    const int dpi = widgets::WindowDpi(Handle());
    animate_ = widgets::CreateControl(Handle(), ANIMATE_CLASSA, "", ACS_CENTER | ACS_TRANSPARENT | WS_CLIPSIBLINGS,
                                      widgets::ScaleRect(kAnimate1, dpi), kAnimate1Id);
    Arrange(dpi);
    OpenClip(clip);
    if (application) application->AddStayOnTop(Handle());
}

// The children go before the font they use and the module their clip plays from.
TfrmSearchSplash::~TfrmSearchSplash() {
    if (Handle()) ::DestroyWindow(Handle());
}

void TfrmSearchSplash::Arrange(int dpi) {
    dpi_ = dpi;
    platform::UniqueHFont font = widgets::CreateFormFont(dpi);
    ::SendMessageA(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);
    RECT label = widgets::ScaleRect(kLabel1, dpi);
    const int overflow = LabelOverflow(font_.get(), label.right - label.left);
    label.right += overflow;
    ::MoveWindow(label_, label.left, label.top, label.right - label.left, label.bottom - label.top, TRUE);
    const RECT animate = widgets::ScaleRect(kAnimate1, dpi);
    // The clip keeps its frame size; only its place scales.
    ::SetWindowPos(animate_, nullptr, animate.left, animate.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT outer{0, 0, widgets::Scale(kClient.cx, dpi) + overflow, widgets::Scale(kClient.cy, dpi)};
    ::AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    ::SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TfrmSearchSplash::OnDpiChanged(WPARAM dpi, const RECT& suggested) {
    Arrange(LOWORD(dpi));
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

void TfrmSearchSplash::OpenClip(int clip) {
    const ClipFrames frames = ReadClipFrames(clipModule_.get(), clip);
    if (frames.count == 0 ||
        !::SendMessageA(animate_, ACM_OPENA, reinterpret_cast<WPARAM>(clipModule_.get()),
                        reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(clip))))
        throw platform::errors::CannotOpenAvi();
    ::SetWindowPos(animate_, nullptr, 0, 0, static_cast<int>(frames.width), static_cast<int>(frames.height),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A shorter clip (Wine's has two frames) would be refused a stop frame beyond its end.
    const WORD last = static_cast<WORD>(std::min<std::uint32_t>(kLastFrame, frames.count - 1));
    ::SendMessageA(animate_, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, last));
}

// An owned window goes with its owner: once the main window is closed there is nothing to show
// or hide.
void TfrmSearchSplash::Show() {
    if (!Handle()) return;
    if (!placed_) {
        PlaceFirstTime();
        // Built on the primary display; centred on another, it takes that display's dpi, and its
        // new size is centred again.
        if (const int dpi = widgets::WindowDpi(Handle()); dpi != dpi_) {
            Arrange(dpi);
            PlaceFirstTime();
        }
    }
    placed_ = true;
    ::ShowWindow(Handle(), SW_SHOW);
    ::BringWindowToTop(Handle());
}

// Centred on the main window; on the active window's display when the main window is elsewhere.
void TfrmSearchSplash::PlaceFirstTime() {
    RECT own;
    ::GetWindowRect(Handle(), &own);
    const SIZE size{own.right - own.left, own.bottom - own.top};
    HWND active = ::GetActiveWindow();
    HMONITOR activeDisplay = ::MonitorFromWindow(active, MONITOR_DEFAULTTOPRIMARY);
    POINT at = widgets::CentreIn(widgets::DisplayRect(activeDisplay), size);
    RECT main;
    if (HWND owner = ::GetWindow(Handle(), GW_OWNER); owner && ::GetWindowRect(owner, &main)) {
        const POINT onMain = widgets::CentreIn(main, size);
        const RECT there{onMain.x, onMain.y, onMain.x + size.cx, onMain.y + size.cy};
        if (!active || ::MonitorFromRect(&there, MONITOR_DEFAULTTONEAREST) == activeDisplay) at = onMain;
    }
    ::SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Hidden without handing the activation on by itself; the program chooses who takes it.
void TfrmSearchSplash::Hide() {
    if (!Handle()) return;
    const bool wasActive = ::GetActiveWindow() == Handle();
    ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!wasActive) return;
    if (HWND next = NextWindowOfProgram()) ::SetActiveWindow(next);
}

LRESULT TfrmSearchSplash::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: Hide(); return 0;
    case WM_ACTIVATEAPP: return OnActivateApp(wParam, lParam);
    case widgets::kDpiChanged: return OnDpiChanged(wParam, *reinterpret_cast<const RECT*>(lParam));
    case WM_DESTROY: return OnDestroy();
    default: return Default(message, wParam, lParam);
    }
}

// Destroyed with its owner or by the destructor: the application must not place it again.
LRESULT TfrmSearchSplash::OnDestroy() {
    if (auto* application = widgets::Application::Current()) application->RemoveStayOnTop(Handle());
    return Default(WM_DESTROY, 0, 0);
}

LRESULT TfrmSearchSplash::OnActivateApp(WPARAM active, LPARAM thread) {
    if (auto* application = widgets::Application::Current()) application->SetActive(active != 0);
    return Default(WM_ACTIVATEAPP, active, thread);
}

}  // namespace app
