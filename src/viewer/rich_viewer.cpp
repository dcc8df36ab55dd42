#include "viewer/rich_viewer.h"

#include "platform/errors.h"
#include "viewer/pane_stream.h"
#include "widgets/dpi.h"
#include "widgets/gdi.h"
#include "widgets/window_text.h"

#include <richedit.h>

#include <cstring>

namespace viewer {

namespace {

constexpr int kBorderWidth = 3;
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

void RichViewer::SetDpi(int dpi) {
    margin_ = widgets::Scale(kBorderWidth, dpi);
    dpi_ = dpi;
    cell_.reset();
    ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyDefaultFormat();
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
    LiftTextLimit();
    ApplyDefaultFormat();
}

void RichViewer::Rebuild(COLORREF color) {
    HWND old = Handle();
    HWND parent = ::GetParent(old);
    RECT place;
    ::GetWindowRect(old, &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    DWORD state = static_cast<DWORD>(::GetWindowLongA(old, GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED);
    HWND fresh = CreatePane(parent, place, static_cast<UINT_PTR>(::GetDlgCtrlID(old)), PaneStyle(wordWrap_, state));
    // The new window takes the old one's place among its siblings, and the focus if it had it.
    ::SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (::GetFocus() == old) ::SetFocus(fresh);
    ::DestroyWindow(old);
    color_ = color;
    Attach(fresh);
}

LRESULT RichViewer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE: {
        // A margin between the pane's border and its text, outside the text's own area.
        LRESULT result = Default(message, wParam, lParam);
        ::InflateRect(reinterpret_cast<RECT*>(lParam), -margin_, -margin_);
        return result;
    }
    case WM_NCPAINT: {
        LRESULT result = Default(message, wParam, lParam);
        PaintMargin();
        return result;
    }
    default: return Default(message, wParam, lParam);
    }
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

void RichViewer::SetText(const std::string& text) { ::SetWindowTextA(Handle(), text.c_str()); }

std::string RichViewer::Text() const { return widgets::AnsiWindowText(Handle()); }

void RichViewer::Clear() { Rebuild(color_); }

void RichViewer::SetFontColor(COLORREF color) {
    if (color == color_) return;
    color_ = color;
    ApplyDefaultFormat();
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

void RichViewer::LiftTextLimit() { ::SendMessageA(Handle(), EM_EXLIMITTEXT, 0, kTextLimit); }

void RichViewer::Load(StreamSource& source, const TextShape& shape, COLORREF color) {
    // A load that fails keeps the colour the pane had; what text it keeps is the control's.
    const COLORREF previous = color_;
    auto failed = [&] {
        SetFontColor(previous);
        return platform::errors::FailedToLoadStream();
    };
    Rebuild(color);
    HWND pane = Handle();
    const ScrollBars plain = PredictScrollBars(shape, Cell(), TextArea(pane),
                                               {widgets::SystemMetricAt(SM_CXVSCROLL, dpi_),
                                                widgets::SystemMetricAt(SM_CYHSCROLL, dpi_)},
                                               wordWrap_);
    if (shape.richTextHeader) {
        // How many rows a rich text makes is not known beforehand.
        const ScrollBars rich{true, false};
        SetBars(rich);
        if (StreamIn(pane, SF_RTF, source)) {
            HideUnwantedBars(rich);
            LiftTextLimit();
            return;
        }
        if (!source.Rewind()) throw failed();
    }
    SetBars(plain);
    if (!StreamIn(pane, SF_TEXT, source)) throw failed();
    HideUnwantedBars(plain);
    LiftTextLimit();
}

void RichViewer::SetWordWrap(bool wrap) {
    if (wrap == wordWrap_) return;
    std::string content = StreamOutRich(Handle());
    MemorySource source(content);
    TextShapeScanner scanner;
    scanner.Add(content.data(), content.size());
    wordWrap_ = wrap;
    Load(source, scanner.Shape(), color_);
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

// Under Wine, a vertical bar that the control has to show while the text streams in makes the
// load take time that grows with the square of the text, and any bar that appears then makes it
// lay the whole text out again; a bar shown in vain costs one layout when it is hidden.
void RichViewer::SetBars(ScrollBars bars) {
    ::ShowScrollBar(Handle(), SB_VERT, bars.vertical);
    ::ShowScrollBar(Handle(), SB_HORZ, bars.horizontal);
}

// The control sets a bar's page and range when it wants the bar; a bar it left alone, or whose
// range fits in its page, has nothing to scroll.
void RichViewer::HideUnwantedBars(ScrollBars shown) {
    auto unwanted = [&](int bar) {
        SCROLLINFO info{sizeof info, SIF_PAGE | SIF_RANGE};
        if (!::GetScrollInfo(Handle(), bar, &info)) return true;
        return info.nPage == 0 || info.nMax - info.nMin < static_cast<int>(info.nPage);
    };
    if (shown.vertical && unwanted(SB_VERT)) ::ShowScrollBar(Handle(), SB_VERT, FALSE);
    if (shown.horizontal && unwanted(SB_HORZ)) ::ShowScrollBar(Handle(), SB_HORZ, FALSE);
}

}  // namespace viewer
