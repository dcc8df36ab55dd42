#include "browse/file_list_box.h"

#include "browse/path_text.h"
#include "platform/code_page.h"
#include "platform/errors.h"
#include "widgets/gdi.h"

namespace browse {

namespace {
HWND CreateListBox(HWND parent, UINT_PTR id, HFONT font, int itemHeight) {
    // Not LBS_SORT: the listing hands the entries over in order. A Unicode window, which the
    // window base's subclassing makes of it in any case: typed characters then arrive whole and
    // alike everywhere, a double-byte one never split over two messages.
    HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                      LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                  0, 0, 0, 0, parent, reinterpret_cast<HMENU>(id), ::GetModuleHandleA(nullptr),
                                  nullptr);
    if (!list) throw platform::errors::CannotCreateWindow("LISTBOX");
    ::SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SendMessageA(list, LB_SETITEMHEIGHT, 0, itemHeight);
    return list;
}

// A typed character in the ANSI code page of the entries: one byte, or two for a double-byte
// character. One without an ANSI form becomes "?", which begins no file name, rather than a
// look-alike letter.
std::string AnsiCharacter(WPARAM character) {
    const wchar_t wide = static_cast<wchar_t>(character);
    char bytes[8];
    const int n =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, sizeof bytes, nullptr, nullptr);
    return std::string(bytes, n > 0 ? static_cast<size_t>(n) : 0);
}

}  // namespace

FileListBox::FileListBox(HWND parent, UINT_PTR id, HFONT font, int itemHeight, const std::string& directory,
                         const std::string& mask, TFileType fileType, platform::Shell& shell)
    : listing_(entries_),
      icons_(shell),
      codePage_(platform::SystemCodePage()),
      images_(::ImageList_Create(16, 16, ILC_MASK | ILC_COLOR32, 1, 1)) {
    listing_.SetFileType(fileType);
    listing_.SetMask(mask);
    if (!directory.empty()) listing_.SetDirectory(directory);
    Subclass(CreateListBox(parent, id, font, itemHeight));
    entries_.SetWindow(Handle());
    listing_.RefreshEntries();
}

FileListBox::~FileListBox() {
    entries_.SetWindow(nullptr);
    if (images_) ::ImageList_Destroy(images_);
}

LRESULT FileListBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR:
        if (!OnChar(wParam)) return 0;
        return Default(message, wParam, lParam);
    case LB_RESETCONTENT:
        icons_.Clear();
        imageOf_.clear();
        ::ImageList_RemoveAll(images_);
        return Default(message, wParam, lParam);
    default: return Default(message, wParam, lParam);
    }
}

bool FileListBox::OnChar(WPARAM character) {
    const std::string typed = AnsiCharacter(character);
    typeAhead_.Type(typed, TickCount(), codePage_);
    // A double-byte character is swallowed whatever happens.
    const bool singleByte = typed.size() == 1;
    const std::string& prefix = typeAhead_.Prefix();
    if (prefix.empty()) {
        SelectTyped(entries_.Count() > 0 ? 0 : -1);
        return singleByte;
    }
    LRESULT found = ::SendMessageA(Handle(), LB_FINDSTRING, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(prefix.c_str()));
    if (found != LB_ERR) SelectTyped(static_cast<int>(found));
    return singleByte && (typed[0] == '\b' || typed[0] == '\r' || typed[0] == 27);
}

void FileListBox::SelectTyped(int index) {
    listing_.SelectIndex(index);
    listing_.ReportIfSelectionMoved();
}

int FileListBox::ImageOf(HICON icon) {
    if (!icon) return -1;
    auto found = imageOf_.find(icon);
    if (found == imageOf_.end()) found = imageOf_.emplace(icon, ::ImageList_ReplaceIcon(images_, -1, icon)).first;
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
        const std::string name = entries_.Text(static_cast<int>(item.itemID));
        const std::string& folder = listing_.Directory();
        const std::string path = EndsWithBackslash(folder) ? folder + name : folder + "\\" + name;
        const int image = ImageOf(icons_.Icon(path));
        if (image >= 0)
            ::ImageList_Draw(images_, image, dc, row.left + 2, row.top + 1, selected ? ILD_SELECTED : ILD_NORMAL);
        ::SetBkMode(dc, OPAQUE);
        ::TextOutA(dc, row.left + 20, row.top + 1, name.c_str(), static_cast<int>(name.size()));
    }
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &row);
}

}  // namespace browse
