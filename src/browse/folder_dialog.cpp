#include "browse/folder_dialog.h"

#include "widgets/window.h"

namespace browse {

FolderDialog::FolderDialog(platform::FolderBrowser& browser) : browser_(browser) {}

void FolderDialog::SetFolder(const platform::Path& path) {
    folder_ = path;
    item_ = browser_.ItemOfPath(path.Text());
}

platform::Path FolderDialog::Folder() const { return item_ ? browser_.PathOfItem(item_.get()) : folder_; }

bool FolderDialog::ExecuteFolderDialog(HWND owner) {
    const platform::Path remembered = folder_;
    // The browser writes the chosen item's display name here, whether or not it is wanted.
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = L"";  // an empty prompt rather than none
    info.lpfn = Callback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    info.pidlRoot = nullptr;  // the whole namespace from the desktop down
    info.ulFlags = 0;         // a plain tree; items without a file-system path can be chosen
    notInitialised_ = true;
    platform::UniqueItemId chosen = browser_.Browse(info);
    if (!chosen) {
        SetFolder(remembered);
        return false;
    }
    item_ = std::move(chosen);
    folder_ = browser_.PathOfItem(item_.get());
    return true;
}

int CALLBACK FolderDialog::Callback(HWND window, UINT message, LPARAM lParam, LPARAM self) noexcept {
    auto* dialog = reinterpret_cast<FolderDialog*>(self);
    // The shell's frames are below: a failure is reported here and goes no further.
    widgets::Guarded(window, [&] {
        if (message == BFFM_INITIALIZED) dialog->Initialized(window);
        else if (message == BFFM_SELCHANGED && !dialog->notInitialised_)
            dialog->SelectionChanged(reinterpret_cast<const ITEMIDLIST*>(lParam));
    });
    return 0;
}

void FolderDialog::Initialized(HWND window) {
    notInitialised_ = false;
    ::SetWindowTextW(window, DialogTitle.c_str());
    if (item_) {
        // The selection goes by the item's path rather than by the item itself: Wine's browser
        // finds an item by comparing its bytes with the tree's and missed it in about one opening
        // of four; a path it parses itself is found every time, and Windows takes both alike.
        // The browser reports the new selection back while this runs, which replaces item_.
        const platform::Path path = browser_.PathOfItem(item_.get());
        ::SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    }
}

void FolderDialog::SelectionChanged(const ITEMIDLIST* item) {
    item_ = browser_.CopyItem(item);
    folder_ = browser_.PathOfItem(item_.get());
}

}  // namespace browse
