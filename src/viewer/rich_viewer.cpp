#include "viewer/rich_viewer.h"

#include "platform/errors.h"
#include "viewer/pane_feed.h"
#include "viewer/pane_stream.h"
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
// The timer that puts the pieces of a load in; the control's own timers have small numbers.
constexpr UINT_PTR kFeedTimer = 0x5A46;
// Milliseconds of pieces between two of the window's messages, at most: with the last piece, the
// window answers within about a tenth of a second.
constexpr DWORD kFeedSpell = 40;
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
    feedRowHeight_ = 0;
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
    HWND fresh = CreatePane(parent, place, static_cast<UINT_PTR>(::GetDlgCtrlID(old)), PaneStyle(wordWrap_, state));
    // The new window takes the old one's place among its siblings, and the focus if it had it.
    ::SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (::GetFocus() == old) ::SetFocus(fresh);
    ::DestroyWindow(old);
    feed_.reset();
    noteStart_.reset();
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
    case WM_TIMER:
        if (wParam != kFeedTimer) return Default(message, wParam, lParam);
        FeedSpell();
        return 0;
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

void RichViewer::SetText(const std::string& text) {
    FinishLoading();
    noteStart_.reset();
    ::SetWindowTextA(Handle(), text.c_str());
}

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

void RichViewer::Load(std::string text, const TextShape& shape, COLORREF color, std::uint64_t notShown,
                      size_t pieceBytes) {
    // A load that fails keeps the colour the pane had; what text it keeps is the control's.
    colorBefore_ = color_;
    Rebuild(color);
    HWND pane = Handle();
    const CellSize cell = Cell();
    // The grey line may be the widest: a horizontal bar that appears after the pieces makes the
    // control lay the whole text out again, for a long time.
    TextShape shown = shape;
    if (notShown > 0) shown.longestLine = std::max<std::uint64_t>(shown.longestLine, NotShownNote(notShown + text.size()).size());
    const ScrollBars plain = PredictScrollBars(shown, cell, TextArea(pane),
                                               {widgets::SystemMetricAt(SM_CXVSCROLL, dpi_),
                                                widgets::SystemMetricAt(SM_CYHSCROLL, dpi_)},
                                               wordWrap_);
    feed_ = std::make_unique<PaneFeed>(std::move(text), shape.breaks, notShown, pieceBytes);
    if (shape.richTextHeader) {
        // How many rows a rich text makes is not known beforehand.
        feedBars_ = {true, false};
        SetBars(feedBars_);
        if (feed_->PutAllAsRichText(pane)) return EndFeed();
    }
    feedBars_ = plain;
    feedRowHeight_ = cell.height;
    fedHeight_ = 0;
    SetBars(plain);
    if (!feed_->PutNext(pane)) FailFeed();
    if (feed_->Done()) return EndFeed();
    StandForTheWhole();
    ::SetTimer(pane, kFeedTimer, USER_TIMER_MINIMUM, nullptr);
}

void RichViewer::FeedSpell() {
    // While the user drags out a selection, the text stays as it is.
    if (!feed_ || ::GetCapture() == Handle()) return;
    bool ok = true;
    {
        KeptView kept(Handle(), EndInView());
        CaretToEnd(Handle());
        const DWORD start = ::GetTickCount();
        do {
            ok = feed_->PutNext(Handle());
        } while (ok && !feed_->Done() && ::GetTickCount() - start < kFeedSpell &&
                 HIWORD(::GetQueueStatus(QS_INPUT)) == 0);
    }
    if (!ok) FailFeed();
    if (feed_->Done()) return EndFeed();
    StandForTheWhole();
}

void RichViewer::FinishLoading() {
    if (!feed_) return;
    bool ok = true;
    if (!feed_->Done()) {
        KeptView kept(Handle());
        CaretToEnd(Handle());
        ok = feed_->PutNext(Handle(), true);
    }
    if (!ok) FailFeed();
    EndFeed();
}

void RichViewer::StopLoading() {
    if (feed_) EndFeed();
}

void RichViewer::EndFeed() {
    ::KillTimer(Handle(), kFeedTimer);
    const LONG noteStart = feed_->PutNote(Handle());
    if (feed_->Cut() || !feed_->Done()) noteStart_ = noteStart;
    feed_.reset();
    HideUnwantedBars(feedBars_);
    LiftTextLimit();
}

void RichViewer::FailFeed() {
    ::KillTimer(Handle(), kFeedTimer);
    feed_.reset();
    SetFontColor(colorBefore_);
    throw platform::errors::FailedToLoadStream();
}

// The control sizes its vertical bar for the text it holds; while pieces are still to come, the
// bar is sized for the whole text: by the rows still to come where lines do not wrap, else by
// the bytes, as the rows so far hold them.
void RichViewer::StandForTheWhole() {
    HWND pane = Handle();
    if (!(::GetWindowLongA(pane, GWL_STYLE) & WS_VSCROLL)) return;
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE};
    if (!::GetScrollInfo(pane, SB_VERT, &info) || info.nMax <= info.nMin) return;
    double more;
    if (!wordWrap_ && feedRowHeight_ > 0) {
        more = static_cast<double>(feed_->BreaksLeft()) * feedRowHeight_;
    } else {
        more = static_cast<double>(info.nMax - info.nMin) * static_cast<double>(feed_->BytesLeft()) /
               static_cast<double>(feed_->BytesIn());
    }
    info.fMask = SIF_RANGE;
    fedHeight_ = info.nMax;
    info.nMax += static_cast<int>(std::min(more, 2e9 - info.nMax));
    ::SetScrollInfo(pane, SB_VERT, &info, TRUE);
}

// Whether the end of the text that is in may be in view, so that text added after it shows.
bool RichViewer::EndInView() const {
    SCROLLINFO info{sizeof info, SIF_POS | SIF_PAGE};
    if (!(::GetWindowLongA(Handle(), GWL_STYLE) & WS_VSCROLL) || !::GetScrollInfo(Handle(), SB_VERT, &info)) return true;
    return info.nPos + static_cast<int>(info.nPage) >= fedHeight_;
}

LONG RichViewer::TextLength() const {
    return noteStart_ ? *noteStart_ : static_cast<LONG>(::GetWindowTextLengthA(Handle()));
}

void RichViewer::SetWordWrap(bool wrap) {
    if (wrap == wordWrap_) return;
    FinishLoading();
    std::string content = StreamOutRich(Handle());
    TextShapeScanner scanner;
    scanner.Add(content.data(), content.size());
    wordWrap_ = wrap;
    const std::optional<LONG> noteStart = noteStart_;
    Load(std::move(content), scanner.Shape(), color_);
    noteStart_ = noteStart;
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
