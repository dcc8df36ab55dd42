#include "browse/file_type_selector.h"

#include "platform/ansi_text.h"
#include "platform/errors.h"
#include "widgets/gdi.h"

#include <commctrl.h>

#include <utility>

namespace browse {

namespace {

// The open list shows this many rows before it scrolls.
constexpr int kVisibleRows = 8;

// Owner-drawn, so that the field can go on showing a text while no entry is chosen. A Unicode
// window, so that typed characters arrive as UTF-16 wherever the program runs.
HWND CreateCombo(HWND parent, UINT_PTR id) {
    HWND combo = ::CreateWindowExW(0, L"COMBOBOX", L"",
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                       CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                   0, 0, 0, 0, parent, reinterpret_cast<HMENU>(id), ::GetModuleHandleA(nullptr),
                                   nullptr);
    if (!combo) throw platform::errors::CannotCreateWindow("COMBOBOX");
    return combo;
}

}  // namespace

FileTypeSelector::FileTypeSelector(HWND parent, UINT_PTR id, HFONT font, int itemHeight,
                                   const std::vector<std::string>& entries)
    : rules_(entries), itemHeight_(itemHeight) {
    Subclass(CreateCombo(parent, id));
    ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const std::string& entry : entries)
        ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::WideFromAnsi(entry).c_str()));
    ::SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, itemHeight);
    ::SendMessageW(Handle(), CB_SETMINVISIBLE, kVisibleRows, 0);
}

void FileTypeSelector::SetItemHeight(int itemHeight) {
    itemHeight_ = itemHeight;
    ::SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, itemHeight);
}

int FileTypeSelector::ListIndex() const { return static_cast<int>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

int FileTypeSelector::ItemIndex() const {
    const int index = ListIndex();
    return index < 0 && kept_ != -1 ? kept_ : index;
}

bool FileTypeSelector::DroppedDown() const { return ::SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }

std::wstring FileTypeSelector::EntryText(int index) const {
    const LRESULT length = ::SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

std::wstring FileTypeSelector::ShownText() const {
    const int index = ListIndex();
    if (index >= 0) return EntryText(index);
    return kept_ != -1 ? keptText_ : std::wstring();
}

void FileTypeSelector::SetItemIndex(int index) {
    const int count = static_cast<int>(::SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
    if (index < -1 || index >= count) {
        keptText_ = ShownText();
        kept_ = index;
        ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        ::InvalidateRect(Handle(), nullptr, TRUE);
        throw platform::errors::ListIndexOutOfBounds(index);
    }
    kept_ = -1;
    keptText_.clear();
    ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void FileTypeSelector::SetPlace(const RECT& field) {
    const int height = field.bottom - field.top;
    // Moves without copying old pixels, as the form's other controls do: a neighbour may already
    // have drawn over the old place.
    ::SetWindowPos(Handle(), nullptr, field.left, field.top, field.right - field.left,
                   height + kVisibleRows * itemHeight_ + 2, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    // The control makes its closed height from the field's row and its own border, which differ
    // between platforms and themes (and the row it reports need not be the one it was given):
    // the row is corrected until the closed height is the place's.
    LRESULT row = ::SendMessageW(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT closed;
        ::GetWindowRect(Handle(), &closed);
        const int missing = height - (closed.bottom - closed.top);
        if (missing == 0) break;
        row += missing;
        ::SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), row);
    }
}

void FileTypeSelector::Pick(int index) {
    kept_ = -1;
    keptText_.clear();
    ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    droppedIndex_ = index;
    if (OnChange) OnChange();
}

void FileTypeSelector::Notified(WORD code) {
    switch (code) {
    case CBN_DROPDOWN:
        droppedIndex_ = ListIndex();
        pickOnClose_ = false;
        break;
    // The pick is handed on once the list has gone, whichever of the two notifications comes last.
    case CBN_SELENDOK:
        if (DroppedDown()) pickOnClose_ = true;
        else if (ListIndex() >= 0) Pick(ListIndex());
        break;
    case CBN_CLOSEUP:
        if (std::exchange(pickOnClose_, false) && ListIndex() >= 0) Pick(ListIndex());
        break;
    // A dismissed list leaves the entry chosen before it opened, whatever it highlighted.
    case CBN_SELENDCANCEL:
        pickOnClose_ = false;
        if (ListIndex() != droppedIndex_)
            ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(droppedIndex_), 0);
        break;
    default: break;
    }
}

LRESULT FileTypeSelector::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: return OnKeyDown(message, wParam, lParam);
    case WM_CHAR:
        if (auto pick = rules_.Typed(static_cast<wchar_t>(wParam), TickCount())) Pick(*pick);
        return 0;
    case WM_MOUSEWHEEL: return OnWheel(message, wParam, lParam);
    default: return Default(message, wParam, lParam);
    }
}

LRESULT FileTypeSelector::OnKeyDown(UINT message, WPARAM key, LPARAM lParam) {
    const bool alt = (HIWORD(lParam) & KF_ALTDOWN) != 0;
    const KeyAction action = rules_.Key(static_cast<UINT>(key), alt, DroppedDown(), ItemIndex());
    switch (action.kind) {
    case KeyAction::Pick: Pick(action.pick); return 0;
    case KeyAction::Swallow: return 0;
    case KeyAction::Toggle: ::SendMessageW(Handle(), CB_SHOWDROPDOWN, !DroppedDown(), 0); return 0;
    default: return Default(message, key, lParam);
    }
}

LRESULT FileTypeSelector::OnWheel(UINT message, WPARAM wParam, LPARAM lParam) {
    if (DroppedDown()) return Default(message, wParam, lParam);
    if (auto pick = rules_.Wheel(GET_WHEEL_DELTA_WPARAM(wParam), ItemIndex())) Pick(*pick);
    return 0;
}

void FileTypeSelector::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT& row = item.rcItem;
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageW(Handle(), WM_GETFONT, 0, 0));
    widgets::SelectScope useFont{dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT)};
    const bool field = (item.itemState & ODS_COMBOBOXEDIT) != 0;
    const bool entry = item.itemID != static_cast<UINT>(-1);
    const std::wstring text = entry ? EntryText(static_cast<int>(item.itemID)) : field ? ShownText() : L"";
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::SetBkColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &row, nullptr, 0, nullptr);
    RECT textPlace{row.left + 2, row.top, row.right, row.bottom};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textPlace,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &row);
}

}  // namespace browse
