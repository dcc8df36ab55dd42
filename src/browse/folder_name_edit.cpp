#include "browse/folder_name_edit.h"

#include "platform/ansi_text.h"

namespace browse {

FolderNameEdit::FolderNameEdit(HWND parent, UINT_PTR id, int buttonWidth, platform::FolderBrowser& browser)
    : ButtonEdit(parent, id, buttonWidth), dialog_(browser) {
    SetReadOnly(true);
}

std::string FolderNameEdit::AnsiText() const { return platform::AnsiFromWide(Text()); }

void FolderNameEdit::SetAnsiText(const std::string& text) { SetText(platform::WideFromAnsi(text)); }

void FolderNameEdit::BrowseForFolder() {
    dialog_.SetFolder(AnsiText());
    dialog_.DialogTitle = DialogTitle;
    HWND window = ::GetAncestor(Handle(), GA_ROOT);
    if (!dialog_.ExecuteFolderDialog(window)) return;
    SetAnsiText(dialog_.Folder());
    ::SendMessageW(Handle(), EM_SETMODIFY, TRUE, 0);
    ::SetForegroundWindow(window);
    // Announced even when the folder is the one already shown: choosing it re-applies it.
    Change();
}

}  // namespace browse
