#include "app/main_form.h"

namespace app {

// The file list, file type and folder handlers arrive with file browsing.
std::string TForm1::FilePath() const { return {}; }
void TForm1::FileListBoxDblClick() {}
void TForm1::cbFileTypeChange() {}
void TForm1::edFolderChange() {}

}  // namespace app
