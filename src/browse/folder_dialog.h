#pragma once
// The platform's folder browser as a dialog object: it keeps its folder (a path text and the
// shell item it names) between browses, and opens on that folder.
#include "platform/folder_browser.h"

#include <string>

namespace browse {

class FolderDialog {
public:
    explicit FolderDialog(platform::FolderBrowser& browser);
    FolderDialog(const FolderDialog&) = delete;
    FolderDialog& operator=(const FolderDialog&) = delete;

    // The browser window's caption.
    std::wstring DialogTitle;

    // Stores the path and makes the item it names current; an empty text or one that does not
    // parse leaves no current item.
    void SetFolder(const platform::Path& path);
    // The current item's file-system path (empty when it has none), or the stored text when
    // there is no current item.
    platform::Path Folder() const;

    // Runs the browser modally over `owner`, the whole shell namespace from the desktop down;
    // true when a folder was chosen. Cancelling leaves the folder as it was.
    bool ExecuteFolderDialog(HWND owner);

private:
    static int CALLBACK Callback(HWND window, UINT message, LPARAM lParam, LPARAM self) noexcept;
    void Initialized(HWND window);
    void SelectionChanged(const ITEMIDLIST* item);

    platform::FolderBrowser& browser_;
    platform::Path folder_;
    platform::UniqueItemId item_;
    // Set while a browse runs until the browser window is there: the browser's own first
    // selection reports do not count.
    bool notInitialised_ = false;
};

}  // namespace browse
