#pragma once
// The folder field: a read-only button edit whose button, or Alt+Down, browses for a folder.
// A chosen folder replaces the text and raises the change event, even when it is the same one.
#include "browse/folder_dialog.h"
#include "widgets/button_edit.h"

#include <string>

namespace browse {

class FolderNameEdit : public widgets::ButtonEdit {
public:
    FolderNameEdit(HWND parent, UINT_PTR id, int buttonWidth, platform::FolderBrowser& browser);

    // The browser window's caption, copied into the dialog before every browse.
    std::wstring DialogTitle;

    void BrowseForFolder();

protected:
    void ButtonClick() override { BrowseForFolder(); }

private:
    FolderDialog dialog_;
};

}  // namespace browse
