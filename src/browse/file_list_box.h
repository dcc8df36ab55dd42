#pragma once
// The file list on the main window: an owner-drawn list box whose rows show each file's shell
// icon and name, with the listing behind it, change reports and type-ahead.
#include "browse/file_listing.h"
#include "browse/icon_cache.h"
#include "browse/list_box_entries.h"
#include "browse/type_ahead.h"
#include "platform/unique_handle.h"
#include "widgets/window.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <unordered_map>

namespace platform {
class Shell;
}

namespace browse {

class FileListBox : public widgets::Window {
public:
    // Creates the list box; `directory`, `mask` and `fileType` are set before its window exists, so the first listing happens once, when the window is there.
    // `iconSize` is the side of the rows' icons, for the screen's dpi.
    FileListBox(HWND parent, UINT_PTR id, HFONT font, int itemHeight, int iconSize, const platform::Path& directory,
                const std::wstring& mask, TFileType fileType, platform::Shell& shell);
    ~FileListBox() override;

    FileListing& Listing() noexcept { return listing_; }
    const FileListing& Listing() const noexcept { return listing_; }

    // What the parent passes on: the list's own notifications and its row drawing.
    void SelectionChanged() { listing_.ReportIfSelectionMoved(); }
    void DrawItem(const DRAWITEMSTRUCT& item);
    // For a new dpi: the rows' height and the icons' side.
    void SetSizes(int itemHeight, int iconSize);
    int IconSize() const noexcept { return iconSize_; }

    // The clock type-ahead measures pauses with; tests may replace it.
    std::function<DWORD()> TickCount = [] { return ::GetTickCount(); };

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The icon's picture in the image list, -1 for none.
    int ImageOf(HICON icon);
    // True when the character goes on to the list box's own handling.
    bool OnChar(wchar_t character);
    // Selects `index` and reports the change if the selection moved, as after the user's own.
    void SelectTyped(int index);

    ListBoxEntries entries_;
    FileListing listing_;
    // One icon per kind of file, forgotten whenever the entries are re-read.
    IconCache icons_;
    // Each cached icon's picture in the image list, added once: turning an icon into the list's
    // picture on every paint of every row costs more than drawing it.
    platform::UniqueImageList images_;
    int iconSize_ = 0;
    std::unordered_map<HICON, int> imageOf_;
    TypeAhead typeAhead_;
};

}  // namespace browse
