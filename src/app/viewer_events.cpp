#include "app/main_form.h"
#include "viewer/rich_viewer.h"
#include "viewer/show_file.h"

namespace app {

// Its callers make sure that a file is selected. The status bar takes the path only once the
// file has loaded, so a failed load leaves it as it was.
void TForm1::ShowSelectedFile() {
    const platform::Path path = FilePath();
    viewer::ShowFile(memHTML(), path);
    SetStatusText(path.Text());
}

void TForm1::FileListBoxChange() {
    if (FilePath().empty()) return;
    ShowSelectedFile();
}

void TForm1::cbWordWrapClick() {
    const bool wrap = ::SendMessageA(cbWordWrap(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (FilePath().empty()) return memHTML().SetWordWrap(wrap);
    // The selected file is read again in the new wrapping, and only once.
    memHTML().SetWordWrap(wrap, [this] { ShowSelectedFile(); });
}

}  // namespace app
