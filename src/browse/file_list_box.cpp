#include "browse/file_list_box.h"

#include "platform/errors.h"
#include "widgets/gdi.h"

#include <algorithm>

namespace browse {

namespace {

// What Esc types.
constexpr wchar_t kEscapeCharacter = 0x1B;

HWND CreateListBox(HWND parent, UINT_PTR id, HFONT font) {
    // Not LBS_SORT: the listing hands the entries over in order. A Unicode window: it holds the
    // names as the file system has them, and typed characters arrive whole.
    HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                      LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                  0, 0, 0, 0, parent, reinterpret_cast<HMENU>(id), ::GetModuleHandleA(nullptr),
                                  nullptr);
    if (!list) throw platform::errors::CannotCreateWindow("LISTBOX");
    ::SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return list;
}

}  // namespace

FileListBox::FileListBox(HWND parent, UINT_PTR id, HFONT font, int itemHeight, int iconSize,
                         const platform::Path& directory, const std::wstring& mask, TFileType fileType,
                         platform::Shell& shell)
    : listing_(entries_), icons_(shell) {
    listing_.SetFileType(fileType);
    listing_.SetMask(mask);
    if (!directory.empty()) listing_.SetDirectory(directory);
    Subclass(CreateListBox(parent, id, font));
    SetSizes(itemHeight, iconSize);
    entries_.SetWindow(Handle());
    listing_.RefreshEntries();
}

FileListBox::~FileListBox() {
    entries_.SetWindow(nullptr);
}

LRESULT FileListBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR:
        if (!OnChar(static_cast<wchar_t>(wParam))) return 0;
        return Default(message, wParam, lParam);
    case LB_RESETCONTENT:
        icons_.Clear();
        imageOf_.clear();
        ::ImageList_RemoveAll(images_.get());
        return Default(message, wParam, lParam);
    default: return Default(message, wParam, lParam);
    }
}

bool FileListBox::OnChar(wchar_t character) {
    typeAhead_.Type(character, TickCount());
    const std::wstring& prefix = typeAhead_.Prefix();
    if (prefix.empty()) {
        SelectTyped(entries_.Count() > 0 ? 0 : -1);
        return true;
    }
    LRESULT found = ::SendMessageW(Handle(), LB_FINDSTRING, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(prefix.c_str()));
    if (found != LB_ERR) SelectTyped(static_cast<int>(found));
    return character == L'\b' || character == L'\r' || character == kEscapeCharacter;
}

void FileListBox::SelectTyped(int index) {
    listing_.SelectIndex(index);
    listing_.ReportIfSelectionMoved();
}

void FileListBox::SetSizes(int itemHeight, int iconSize) {
    ::SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, itemHeight);
    if (iconSize == iconSize_ && images_) return;
    // The shell's icons stay cached; only their pictures in the list are made again at the new size.
    images_ = platform::UniqueImageList{::ImageList_Create(iconSize, iconSize, ILC_MASK | ILC_COLOR32, 1, 1)};
    iconSize_ = iconSize;
    imageOf_.clear();
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

int FileListBox::ImageOf(HICON icon) {
    if (!icon) return -1;
    auto found = imageOf_.find(icon);
    if (found == imageOf_.end()) found = imageOf_.emplace(icon, ::ImageList_ReplaceIcon(images_.get(), -1, icon)).first;
    return found->second;
}

void FileListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT& row = item.rcItem;
    // The list selects its font for its own painting, but not every caller's DC has it.
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(Handle(), WM_GETFONT, 0, 0));
    widgets::SelectScope useFont{dc, font ? font : ::GetStockObject(SYSTEM_FONT)};
    const bool hasEntry = item.itemID != static_cast<UINT>(-1) && static_cast<int>(item.itemID) < entries_.Count();
    const bool selected = hasEntry && (item.itemState & ODS_SELECTED);
    ::SetBkColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &row, nullptr, 0, nullptr);

    if (hasEntry) {
        const std::wstring name = entries_.Text(static_cast<int>(item.itemID));
        const int image = ImageOf(icons_.Icon(listing_.Directory().Join(name)));
        // A 16-pixel icon 2 pixels in and the name 20 pixels in, in proportion for larger icons.
        const int top = row.top + std::max(0, static_cast<int>(row.bottom - row.top) - iconSize_) / 2;
        if (image >= 0)
            ::ImageList_Draw(images_.get(), image, dc, row.left + iconSize_ / 8, top, selected ? ILD_SELECTED : ILD_NORMAL);
        ::SetBkMode(dc, OPAQUE);
        ::TextOutW(dc, row.left + iconSize_ * 5 / 4, top, name.c_str(), static_cast<int>(name.size()));
    }
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &row);
}

}  // namespace browse
