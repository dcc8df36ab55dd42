#include "viewer/highlight_text.h"

#include "platform/ansi_text.h"
#include "platform/code_page.h"
#include "platform/errors.h"
#include "viewer/highlight_search.h"
#include "viewer/rich_viewer.h"

#include <richedit.h>

#include <algorithm>
#include <new>

namespace viewer {

namespace {

// The pane's text in the characters the control counts. It hands out its text in the ANSI code
// page, where a character may take two bytes.
class PaneText final : public TextSource {
public:
    PaneText(HWND pane, LONG length) : pane_(pane), length_(static_cast<size_t>(length)) {}

    size_t Length() override { return length_; }

    std::wstring Range(size_t start, size_t end) override {
        end = std::min(end, length_);
        if (start >= end) return {};
        try {
            size_t bytesPerCharacter = platform::SystemCodePage().HasLeadBytes() ? 2 : 1;
            std::string bytes((end - start) * bytesPerCharacter + 1, '\0');
            TEXTRANGEA range{{static_cast<LONG>(start), static_cast<LONG>(end)}, bytes.data()};
            int n = static_cast<int>(::SendMessageA(pane_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
            std::wstring text(static_cast<size_t>(n), L'\0');
            text.resize(static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, text.data(), n)));
            return text;
        } catch (const std::bad_alloc&) {
            throw platform::errors::OutOfMemory();
        }
    }

private:
    HWND pane_;
    size_t length_;
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

// Holds back the pane's painting; at the end paints it once, on every way out.
class RedrawSuspension {
public:
    RedrawSuspension(HWND pane, bool showing) : pane_(pane), showing_(showing) {
        if (showing_) ::SendMessageA(pane_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawSuspension() {
        if (showing_) ::SendMessageA(pane_, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(pane_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;

private:
    HWND pane_;
    bool showing_;
};

}  // namespace

void HighlightText(RichViewer& pane, const std::string& text) {
    // The passes read the whole text of the file.
    pane.FinishLoading();
    HWND window = pane.Handle();
    // Read before redrawing is suspended, which takes the visible style off the window.
    bool showing = ::IsWindowVisible(window) != FALSE;
    bool focusable = CanFocus(window);
    // The control's search takes the text up to its first NUL.
    std::wstring wide = platform::WideFromAnsi(text.c_str());
    RedrawSuspension suspension(window, showing);
    PaneText source(window, pane.TextLength());
    std::optional<size_t> start = PassesSelectionStart(source, wide);
    if (!start) return;
    if (!focusable) throw platform::errors::CannotFocus();
    FocusPane(window);
    CHARRANGE selection{static_cast<LONG>(*start), static_cast<LONG>(*start + wide.size())};
    ::SendMessageA(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    ::SendMessageA(window, EM_SCROLLCARET, 0, 0);
}

}  // namespace viewer
