#include "viewer/highlight_text.h"

#include "platform/ansi_text.h"
#include "platform/code_page.h"
#include "platform/errors.h"
#include "viewer/highlight_search.h"
#include "viewer/rich_viewer.h"

#include <richedit.h>

#include <algorithm>
#include <memory>
#include <new>
#include <optional>

namespace viewer {

namespace {

// The pane's text in the characters the control counts, without the grey line. It hands out its
// text in the ANSI code page, where a character may take two bytes. The pane is asked for its
// window each time: the same text may be shown afresh in another one between two slices.
class PaneText final : public TextSource {
public:
    explicit PaneText(RichViewer& pane) : pane_(pane) {}

    size_t Length() override { return static_cast<size_t>(pane_.TextLength()); }

    std::wstring Range(size_t start, size_t end) override {
        end = std::min(end, Length());
        if (start >= end) return {};
        try {
            size_t bytesPerCharacter = platform::SystemCodePage().HasLeadBytes() ? 2 : 1;
            std::string bytes((end - start) * bytesPerCharacter + 1, '\0');
            TEXTRANGEA range{{static_cast<LONG>(start), static_cast<LONG>(end)}, bytes.data()};
            int n = static_cast<int>(::SendMessageA(pane_.Handle(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
            std::wstring text(static_cast<size_t>(n), L'\0');
            text.resize(static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, text.data(), n)));
            return text;
        } catch (const std::bad_alloc&) {
            throw platform::errors::OutOfMemory();
        }
    }

private:
    RichViewer& pane_;
};

// The pane and every window it lies in are visible and enabled.
bool CanFocus(HWND pane) {
    if (!::IsWindowVisible(pane)) return false;
    for (HWND window = pane; window;
         window = (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? ::GetParent(window) : nullptr) {
        if (!::IsWindowEnabled(window)) return false;
    }
    return true;
}

void FocusPane(HWND pane) {
    HWND main = ::GetAncestor(pane, GA_ROOT);
    HWND active = ::GetActiveWindow();
    if (active && active != main) ::SetActiveWindow(main);
    ::SetFocus(pane);
}

void Repaint(HWND pane) { ::RedrawWindow(pane, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW); }

// Holds back the pane's painting; at the end paints it once, on every way out.
class RedrawSuspension {
public:
    explicit RedrawSuspension(HWND pane) : pane_(pane), showing_(::IsWindowVisible(pane) != FALSE) {
        if (showing_) ::SendMessageA(pane_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawSuspension() {
        if (showing_) ::SendMessageA(pane_, WM_SETREDRAW, TRUE, 0);
        Repaint(pane_);
    }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;

private:
    HWND pane_;
    bool showing_;
};

// One highlight on its way: the pane's text searched a range at a time, then the selection made.
class Highlight {
public:
    Highlight(RichViewer& pane, std::wstring text)
        : pane_(pane), characters_(text.size()), search_(text), source_(pane), couldFocus_(CanFocus(pane.Handle())) {}

    bool Slice() {
        if (!search_.Step(source_)) return false;
        const std::optional<size_t> start = search_.Start();
        HWND window = pane_.Handle();
        if (!start) {
            Repaint(window);
            return true;
        }
        // A pane that could take the focus when asked and cannot now lies under a question opened
        // since, which has the focus: the replacement is selected without taking it away.
        const bool focus = CanFocus(window);
        if (!focus && !couldFocus_) {
            Repaint(window);
            throw platform::errors::CannotFocus();
        }
        RedrawSuspension suspension(window);
        if (focus) FocusPane(window);
        CHARRANGE selection{static_cast<LONG>(*start), static_cast<LONG>(*start + characters_)};
        ::SendMessageA(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
        ::SendMessageA(window, EM_SCROLLCARET, 0, 0);
        return true;
    }

private:
    RichViewer& pane_;
    size_t characters_;
    PassesSearch search_;
    PaneText source_;
    const bool couldFocus_;
};

}  // namespace

void HighlightText(RichViewer& pane, const std::string& text) {
    // The control's search takes the text up to its first NUL.
    auto highlight = std::make_shared<Highlight>(pane, platform::WideFromAnsi(text.c_str()));
    pane.AfterLoad([highlight] { return highlight->Slice(); });
}

}  // namespace viewer
