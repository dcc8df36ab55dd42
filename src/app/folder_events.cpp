#include "app/main_form.h"

namespace app {

// A failing apply ends here before the viewer and the status bar are touched: the edit keeps
// the new text, the list stays on its folder, and the guard shows the error.
void TForm1::edFolderChange() {
    fileList_->Listing().ApplyPathText(FolderText());
    memHTML_->Clear();
    SetStatusText(L"");
}

}  // namespace app
