#include "app/main_form.h"

namespace app {

// A failing apply ends here before the viewer and the status bar are touched: the edit keeps
// the new text, the list stays on its folder, and the guard shows the error.
void TForm1::edFolderChange() {
    fileList_->Listing().ApplyPathText(FolderText());
    memHTML_->Clear();
    SetStatusText(L"");
}

void TForm1::OpenStartPath(const platform::Path& path) {
    browse::FileListing& listing = fileList_->Listing();
    // Fails before the list, the edit or the viewer changes.
    listing.ApplyPathText(path.Text());
    SetFolderText(listing.Directory().Text());
    // A file is selected and already shown by the list's change report; a folder empties the
    // viewer and the status bar, as a browse does.
    if (!listing.FileName().empty()) return;
    memHTML_->Clear();
    SetStatusText(L"");
}

}  // namespace app
