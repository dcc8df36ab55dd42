#include "viewer/rich_viewer.h"

#include "widgets/anchors.h"

#include <commctrl.h>
#include <richedit.h>

#include <stdexcept>

namespace viewer {

namespace {

constexpr int kBorderWidth = 3;

void LoadRichEditLibrary() {
    // Loaded once for the process and kept until it ends, like the control's window class.
    static HMODULE library = ::LoadLibraryA("RICHED32.DLL");
    if (!library) throw std::runtime_error("Cannot load RICHED32.DLL");
}

HWND CreatePane(HWND parent, const RECT& place, UINT_PTR id) {
    LoadRichEditLibrary();
    DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                  ES_AUTOHSCROLL;
    return ::CreateWindowExA(WS_EX_CLIENTEDGE, "RICHEDIT", "", style, place.left, place.top,
                             place.right - place.left, place.bottom - place.top, parent,
                             reinterpret_cast<HMENU>(id), ::GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

RichViewer::RichViewer(HWND parent, const RECT& place, UINT_PTR id, int dpi) {
    HWND pane = CreatePane(parent, place, id);
    if (!pane) throw std::runtime_error("Cannot create the viewer");
    Subclass(pane);
    font_.reset(::CreateFontA(-widgets::Scale(11, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                              "Lucida Console"));
    ::SendMessageA(pane, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    ::SendMessageA(pane, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(::GetSysColor(COLOR_WINDOW)));
    SetFontColor(color_);
}

LRESULT RichViewer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE: {
        // A margin between the pane's border and its text, outside the text's own area.
        LRESULT result = Default(message, wParam, lParam);
        RECT* client = reinterpret_cast<RECT*>(lParam);
        ::InflateRect(client, -kBorderWidth, -kBorderWidth);
        return result;
    }
    case WM_NCPAINT: {
        LRESULT result = Default(message, wParam, lParam);
        RECT window, client;
        ::GetWindowRect(Handle(), &window);
        ::GetClientRect(Handle(), &client);
        ::MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        ::OffsetRect(&client, -window.left, -window.top);
        HDC dc = ::GetWindowDC(Handle());
        RECT margin = client;
        ::InflateRect(&margin, kBorderWidth, kBorderWidth);
        HRGN outer = ::CreateRectRgnIndirect(&margin);
        HRGN inner = ::CreateRectRgnIndirect(&client);
        ::CombineRgn(outer, outer, inner, RGN_DIFF);
        ::FillRgn(dc, outer, ::GetSysColorBrush(COLOR_WINDOW));
        ::DeleteObject(inner);
        ::DeleteObject(outer);
        ::ReleaseDC(Handle(), dc);
        return result;
    }
    default: return Default(message, wParam, lParam);
    }
}

void RichViewer::SetText(const std::string& text) { ::SetWindowTextA(Handle(), text.c_str()); }

std::string RichViewer::Text() const {
    int length = ::GetWindowTextLengthA(Handle());
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int n = ::GetWindowTextA(Handle(), text.data(), length + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}

void RichViewer::Clear() { ::SetWindowTextA(Handle(), ""); }

void RichViewer::SetFontColor(COLORREF color) {
    color_ = color;
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    if (color == CLR_DEFAULT) {
        format.dwEffects = CFE_AUTOCOLOR;
    } else {
        format.crTextColor = color;
    }
    ::SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    ::SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

}  // namespace viewer
