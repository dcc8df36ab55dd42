#include "app/main_form.h"
#include "viewer/rich_viewer.h"

namespace app {

void TForm1::FileListBoxChange() {
    if (FilePath().empty()) return;
    ShowSelectedFile();
    memHTML().SetFontColor(viewer::kWindowTextColor);
}

void TForm1::cbWordWrapClick() {
    memHTML().SetWordWrap(::SendMessageA(cbWordWrap(), BM_GETCHECK, 0, 0) == BST_CHECKED);
    FileListBoxChange();
}

}  // namespace app
