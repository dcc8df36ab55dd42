#include "app/main_form.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace app {

platform::Path TForm1::FilePath() const { return fileList_->Listing().FilePath(); }

void TForm1::FileListBoxDblClick() {
    const platform::Path path = FilePath();
    // A vanished file, a folder or no selection at all: nothing to open.
    if (platform::FileExists(platform::SystemFileSystem(), path)) shell_.Open(nullptr, path);
}

}  // namespace app
