#include "browse/folder_name_edit.h"

namespace browse {

FolderNameEdit::FolderNameEdit(HWND parent, UINT_PTR id, int buttonWidth, platform::FolderBrowser& browser)
    : ButtonEdit(parent, id, buttonWidth), dialog_(browser) {
    SetReadOnly(true);
}

void FolderNameEdit::BrowseForFolder() {
    dialog_.SetFolder(platform::Path(Text()));
    dialog_.DialogTitle = DialogTitle;
    HWND window = ::GetAncestor(Handle(), GA_ROOT);
    if (!dialog_.ExecuteFolderDialog(window)) return;
    SetText(dialog_.Folder().Text());
    ::SendMessageW(Handle(), EM_SETMODIFY, TRUE, 0);
    ::SetForegroundWindow(window);
    // Announced even when the folder is the one already shown: choosing it re-applies it.
    Change();
}

}  // namespace browse
