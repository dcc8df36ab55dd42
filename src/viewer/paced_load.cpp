#include "viewer/paced_load.h"

#include "viewer/pane_stream.h"

#include <richedit.h>

#include <algorithm>

namespace viewer {

namespace {

// Milliseconds of pieces or slices a tick, at most: with the last one (a piece or a slice takes up
// to about 15 ms), the window answers within a few hundredths of a second.
constexpr DWORD kSpell = 20;

// Under Wine, a vertical bar that the control has to show while the text streams in makes the
// load take time that grows with the square of the text, and any bar that appears then makes it
// lay the whole text out again; a bar shown in vain costs one layout when it is hidden.
void ShowBars(HWND pane, ScrollBars bars) {
    ::ShowScrollBar(pane, SB_VERT, bars.vertical);
    ::ShowScrollBar(pane, SB_HORZ, bars.horizontal);
}

// The control sets a bar's page and range when it wants the bar; a bar it left alone, or whose
// range fits in its page, has nothing to scroll.
void HideUnwantedBars(HWND pane, ScrollBars shown) {
    auto unwanted = [&](int bar) {
        SCROLLINFO info{sizeof info, SIF_PAGE | SIF_RANGE};
        if (!::GetScrollInfo(pane, bar, &info)) return true;
        return info.nPage == 0 || info.nMax - info.nMin < static_cast<int>(info.nPage);
    };
    if (shown.vertical && unwanted(SB_VERT)) ::ShowScrollBar(pane, SB_VERT, FALSE);
    if (shown.horizontal && unwanted(SB_HORZ)) ::ShowScrollBar(pane, SB_HORZ, FALSE);
}

bool HasVerticalBar(HWND pane) { return (::GetWindowLongA(pane, GWL_STYLE) & WS_VSCROLL) != 0; }

}  // namespace

PacedLoad::PacedLoad(HWND pane, ShownText shown, const TextShape& shape, size_t pieceCost, int rowHeight)
    : pane_(pane), feed_(std::move(shown.text), shape.breaks, shown.notShown, pieceCost), pieceCost_(pieceCost),
      rowHeight_(rowHeight) {}

PacedLoad::~PacedLoad() { ::KillTimer(pane_, kTimer); }

bool PacedLoad::Start(bool richText, ScrollBars plain) {
    if (richText) {
        shownBars_ = {true, false};
        ShowBars(pane_, shownBars_);
        if (feed_.PutAllAsRichText(pane_)) {
            End();
            return true;
        }
    }
    shownBars_ = plain;
    ShowBars(pane_, plain);
    if (!feed_.PutNext(pane_)) return false;
    if (!Loading()) {
        End();
        return true;
    }
    SizeBarForTheWholeText();
    ::SetTimer(pane_, kTimer, USER_TIMER_MINIMUM, nullptr);
    return true;
}

bool PacedLoad::Tick() {
    // While the user drags out a selection, the text and the selection stay as they are.
    if (::GetCapture() == pane_) return true;
    const DWORD start = ::GetTickCount();
    if (Loading()) {
        if (!PutPiecesForASpell(start)) return false;
        if (Loading()) {
            SizeBarForTheWholeText();
            return true;
        }
        End();
    }
    if (!steps_.empty()) {
        do {
            RunSlice();
        } while (!steps_.empty() && SpellGoesOn(start));
    }
    if (!Working()) ::KillTimer(pane_, kTimer);
    return true;
}

bool PacedLoad::SpellGoesOn(DWORD start) const {
    return ::GetTickCount() - start < kSpell && HIWORD(::GetQueueStatus(QS_INPUT)) == 0;
}

// The pieces go in at the end of the text, the view put back afterwards.
bool PacedLoad::PutPiecesForASpell(DWORD start) {
    KeptView kept(pane_, EndInView());
    CaretToEnd(pane_);
    bool ok;
    do {
        ok = feed_.PutNext(pane_);
    } while (ok && Loading() && SpellGoesOn(start));
    return ok;
}

void PacedLoad::RunSlice() {
    // Taken off first, so that a slice that fails is not run again.
    Slice slice = std::move(steps_.front());
    steps_.pop_front();
    if (!slice()) steps_.push_front(std::move(slice));
}

void PacedLoad::Stop() {
    if (!Loading()) return;
    feed_.Stop();
    End();
    if (!Working()) ::KillTimer(pane_, kTimer);
}

void PacedLoad::AfterLoad(Slice slice) {
    if (!Working() && slice()) return;
    steps_.push_back(std::move(slice));
    ::SetTimer(pane_, kTimer, USER_TIMER_MINIMUM, nullptr);
}

void PacedLoad::End() {
    const LONG noteStart = feed_.PutNote(pane_);
    if (feed_.NotShown() > 0) noteStart_ = noteStart;
    HideUnwantedBars(pane_, shownBars_);
    ::SendMessageA(pane_, EM_EXLIMITTEXT, 0, kTextLimit);
}

LONG PacedLoad::TextLength() const {
    return noteStart_ ? *noteStart_ : static_cast<LONG>(::GetWindowTextLengthA(pane_));
}

// The control sizes its vertical bar for the text it holds; while pieces are still to come, the
// bar is sized for the whole text: by the rows still to come where each line is a row, else by
// the bytes, as the rows so far hold them.
void PacedLoad::SizeBarForTheWholeText() {
    if (!HasVerticalBar(pane_)) return;
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE};
    if (!::GetScrollInfo(pane_, SB_VERT, &info) || info.nMax <= info.nMin) return;
    double more;
    if (rowHeight_ > 0) {
        more = static_cast<double>(feed_.BreaksLeft()) * rowHeight_;
    } else {
        more = static_cast<double>(info.nMax - info.nMin) * static_cast<double>(feed_.BytesLeft()) /
               static_cast<double>(feed_.BytesIn());
    }
    info.fMask = SIF_RANGE;
    heightIn_ = info.nMax;
    info.nMax += static_cast<int>(std::min(more, 2e9 - info.nMax));
    ::SetScrollInfo(pane_, SB_VERT, &info, TRUE);
}

// Whether the end of the text that is in may be in view, so that text added after it shows.
bool PacedLoad::EndInView() const {
    SCROLLINFO info{sizeof info, SIF_POS | SIF_PAGE};
    if (!HasVerticalBar(pane_) || !::GetScrollInfo(pane_, SB_VERT, &info)) return true;
    return info.nPos + static_cast<int>(info.nPage) >= heightIn_;
}

}  // namespace viewer
