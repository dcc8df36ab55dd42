#include "app/main_form.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace app {

std::string TForm1::FilePath() const { return fileList_->Listing().FilePath(); }

void TForm1::FileListBoxDblClick() {
    std::string path = FilePath();
    // A vanished file, a folder or no selection at all: nothing to open.
    if (platform::FileExists(platform::SystemFileSystem(), path)) shell_.Open(nullptr, path);
}

}  // namespace app
