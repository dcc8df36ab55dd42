#include "viewer/rich_viewer.h"

#include "platform/errors.h"
#include "viewer/shown_part.h"
#include "widgets/dpi.h"
#include "widgets/gdi.h"
#include "widgets/window_text.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

namespace viewer {

namespace {

constexpr int kBorderWidth = 3;
// The timer that lets a replaced window go, after the message that made the fresh one.
constexpr UINT_PTR kRetireTimer = PacedLoad::kTimer + 1;
// A window that holds up to this many bytes of text goes at once, in a few milliseconds.
constexpr size_t kLetGoAtOnce = size_t{64} << 10;
constexpr char kFaceName[] = "Lucida Console";
constexpr LONG kFontTwips = 8 * 20;
static_assert(sizeof kFaceName <= LF_FACESIZE);

void LoadRichEditLibrary() {
    // Loaded once for the process and kept until it ends, like the control's window class.
    static HMODULE library = ::LoadLibraryA("RICHED32.DLL");
    if (!library) throw platform::errors::CannotCreateWindow("RICHEDIT");
}

// Scroll bars come and go with the text (no ES_DISABLENOSCROLL); no tab stop; the selection is
// drawn only while the pane has the focus (no ES_NOHIDESEL). Without word wrap, lines run on and
// the horizontal bar scrolls them.
DWORD PaneStyle(bool wordWrap, DWORD state) {
    DWORD style = WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | state;
    if (!wordWrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
    return style;
}

// The text area, without scroll bars, in which the control lays out the text.
SIZE TextArea(HWND pane) {
    RECT area{};
    ::SendMessageA(pane, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    return {area.right - area.left, area.bottom - area.top};
}

HWND CreatePane(HWND parent, const RECT& place, UINT_PTR id, DWORD style) {
    LoadRichEditLibrary();
    HWND pane = ::CreateWindowExA(WS_EX_CLIENTEDGE, "RICHEDIT", "", style, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, parent,
                                  reinterpret_cast<HMENU>(id), ::GetModuleHandleA(nullptr), nullptr);
    if (!pane) throw platform::errors::CannotCreateWindow("RICHEDIT");
    return pane;
}

}  // namespace

RichViewer::RichViewer(HWND parent, const RECT& place, UINT_PTR id, int dpi)
    : margin_(widgets::Scale(kBorderWidth, dpi)), dpi_(dpi) {
    Attach(CreatePane(parent, place, id, PaneStyle(wordWrap_, WS_VISIBLE)));
}

RichViewer::~RichViewer() = default;

void RichViewer::SetDpi(int dpi) {
    margin_ = widgets::Scale(kBorderWidth, dpi);
    dpi_ = dpi;
    cell_.reset();
    ShowAfresh(color_);
}

void RichViewer::Attach(HWND pane) {
    Subclass(pane);
    // The control computed its frame before it was subclassed; this adds the margin.
    ::SetWindowPos(pane, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The system's window colour, followed when it changes.
    ::SendMessageA(pane, EM_SETBKGNDCOLOR, TRUE, 0);
    // The style chooses the scroll bar; this makes the wrapping agree on every control version.
    ::SendMessageA(pane, EM_SETTARGETDEVICE, 0, wordWrap_ ? 0 : 1);
    // Also before the first load, which would otherwise be cut at the control's default limit.
    ::SendMessageA(pane, EM_EXLIMITTEXT, 0, kTextLimit);
    // Nothing is ever undone in a read-only pane; the text added at its end would otherwise be
    // kept as undo steps, which take time and memory.
    ::SendMessageA(pane, EM_SETUNDOLIMIT, 0, 0);
    ApplyDefaultFormat();
}

void RichViewer::Rebuild(COLORREF color) {
    HWND old = Handle();
    HWND parent = ::GetParent(old);
    RECT place;
    ::GetWindowRect(old, &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    DWORD state = static_cast<DWORD>(::GetWindowLongA(old, GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED);
    const bool holdsMuch = load_ && load_->BytesIn() > kLetGoAtOnce;
    load_.reset();
    HWND fresh = CreatePane(parent, place, static_cast<UINT_PTR>(::GetDlgCtrlID(old)), PaneStyle(wordWrap_, state));
    // The new window takes the old one's place among its siblings, and the focus if it had it.
    ::SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (::GetFocus() == old) ::SetFocus(fresh);
    if (holdsMuch) {
        // Out of sight and of the parent's reach by id until it goes; one replaced before its
        // tick came goes now.
        ::ShowWindow(old, SW_HIDE);
        ::SetWindowLongPtrA(old, GWLP_ID, 0);
        retired_.reset(old);
    } else {
        ::DestroyWindow(old);
    }
    color_ = color;
    Attach(fresh);
    if (retired_) ::SetTimer(fresh, kRetireTimer, USER_TIMER_MINIMUM, nullptr);
}

LRESULT RichViewer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE: {
        // A margin between the pane's border and its text, outside the text's own area.
        LRESULT result = Default(message, wParam, lParam);
        ::InflateRect(reinterpret_cast<RECT*>(lParam), -margin_, -margin_);
        return result;
    }
    case WM_TIMER:
        if (wParam == PacedLoad::kTimer) Tick();
        else if (wParam == kRetireTimer) ::KillTimer(Handle(), kRetireTimer), retired_.reset();
        else return Default(message, wParam, lParam);
        return 0;
    case WM_NCPAINT: {
        LRESULT result = Default(message, wParam, lParam);
        PaintMargin();
        return result;
    }
    default: return Default(message, wParam, lParam);
    }
}

void RichViewer::Tick() {
    if (load_ && !load_->Tick()) FailLoad();
}

void RichViewer::PaintMargin() {
    HWND window = Handle();
    widgets::WindowDc whole(window, ::GetWindowDC(window));
    HDC dc = whole.Dc();
    RECT outer, client;
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::OffsetRect(&client, -outer.left, -outer.top);
    RECT margin = client;
    ::InflateRect(&margin, margin_, margin_);
    ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    ::FillRect(dc, &margin, ::GetSysColorBrush(COLOR_WINDOW));
}

void RichViewer::SetText(const std::string& text) {
    TextShapeScanner scanner;
    scanner.Add(text.data(), text.size());
    Load(text, scanner.Shape(), color_);
}

std::string RichViewer::Text() const { return widgets::AnsiWindowText(Handle()); }

void RichViewer::Clear() {
    ++contentSerial_;
    Rebuild(color_);
}

void RichViewer::SetFontColor(COLORREF color) {
    if (color != color_) ShowAfresh(color);
}

void RichViewer::ApplyDefaultFormat() {
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR | CFM_FACE | CFM_CHARSET | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                    CFM_STRIKEOUT;
    if (color_ == kWindowTextColor) {
        format.dwEffects = CFE_AUTOCOLOR;
    } else {
        format.crTextColor = color_;
    }
    format.yHeight = MulDiv(kFontTwips, dpi_, widgets::ScreenDpi());
    format.bCharSet = DEFAULT_CHARSET;
    format.bPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::memcpy(format.szFaceName, kFaceName, sizeof kFaceName);
    ::SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void RichViewer::Load(std::string text, const TextShape& shape, COLORREF color, std::uint64_t notShown,
                      size_t pieceCost) {
    ++contentSerial_;
    Put({std::move(text), notShown}, shape, color, pieceCost);
}

void RichViewer::Put(ShownText shown, const TextShape& shape, COLORREF color, size_t pieceCost) {
    colorBefore_ = color_;
    Rebuild(color);
    const ScrollBars plain = PlainBars(shape, shown.text.size(), shown.notShown);
    load_ = std::make_unique<PacedLoad>(Handle(), std::move(shown), shape, pieceCost, wordWrap_ ? 0 : Cell().height);
    if (!load_->Start(shape.richTextHeader, plain)) FailLoad();
}

// What a failed load leaves is the control's: an empty pane in the colour it had before the load.
void RichViewer::FailLoad() {
    Rebuild(colorBefore_);
    throw platform::errors::FailedToLoadStream();
}

// The grey line may be the widest: a horizontal bar that appears after the pieces makes the
// control lay the whole text out again, for a long time.
ScrollBars RichViewer::PlainBars(const TextShape& shape, size_t size, std::uint64_t notShown) {
    TextShape shown = shape;
    if (notShown > 0) shown.longestLine = std::max<std::uint64_t>(shown.longestLine, NotShownNote(notShown + size).size());
    return PredictScrollBars(shown, Cell(), TextArea(Handle()),
                             {widgets::SystemMetricAt(SM_CXVSCROLL, dpi_), widgets::SystemMetricAt(SM_CYHSCROLL, dpi_)},
                             wordWrap_);
}

// The same content in a fresh window, with the steps that wait for it.
void RichViewer::ShowAfresh(COLORREF color) {
    if (!load_) return Rebuild(color);
    ShownText shown = load_->Shown();
    const size_t pieceCost = load_->PieceCost();
    std::deque<PacedLoad::Slice> steps = load_->TakeSteps();
    TextShapeScanner scanner;
    scanner.Add(shown.text.data(), shown.text.size());
    Put(std::move(shown), scanner.Shape(), color, pieceCost);
    for (PacedLoad::Slice& step : steps) load_->AfterLoad(std::move(step));
}

void RichViewer::StopLoading() {
    if (load_) load_->Stop();
}

void RichViewer::AfterLoad(PacedLoad::Slice slice) {
    if (load_) return load_->AfterLoad(std::move(slice));
    while (!slice()) {
    }
}

LONG RichViewer::TextLength() const {
    return load_ ? load_->TextLength() : static_cast<LONG>(::GetWindowTextLengthA(Handle()));
}

void RichViewer::SetWordWrap(bool wrap) {
    if (wrap == wordWrap_) return;
    wordWrap_ = wrap;
    ShowAfresh(color_);
}

void RichViewer::SetWordWrap(bool wrap, const std::function<void()>& reload) {
    const bool was = wordWrap_;
    const HWND before = Handle();
    wordWrap_ = wrap;
    try {
        reload();
    } catch (...) {
        if (Handle() == before && was != wrap) {
            wordWrap_ = was;
            SetWordWrap(wrap);
        }
        throw;
    }
}

CellSize RichViewer::Cell() {
    if (cell_) return *cell_;
    // Two characters of different shape on one row and one on the next, on the still empty pane.
    HWND pane = Handle();
    ::SetWindowTextA(pane, "iW\r\nx");
    POINTL at[4]{};
    const LPARAM offsets[4] = {0, 1, 2, 4};
    for (int i = 0; i < 4; ++i)
        ::SendMessageA(pane, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at[i]), offsets[i]);
    ::SetWindowTextA(pane, "");
    // A pane too narrow for two characters wraps them: no measure, try again next time.
    if (at[0].y != at[1].y || at[1].y != at[2].y) return {};
    CellSize cell;
    cell.height = at[3].y - at[0].y;
    if (at[1].x - at[0].x == at[2].x - at[1].x) cell.width = at[1].x - at[0].x;
    cell_ = cell;
    return cell;
}

}  // namespace viewer
