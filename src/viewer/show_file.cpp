#include "viewer/show_file.h"

#include "app/main_form.h"
#include "viewer/load_viewer_file.h"
#include "viewer/rich_viewer.h"

namespace viewer {

void ShowFile(app::TForm1& form, const std::string& path) {
    LoadViewerFile(form.memHTML(), path);
    form.SetStatusText(path);
    form.memHTML().SetFontColor(kWindowTextColor);
}

}  // namespace viewer

namespace app {

// Its callers make sure that a file is selected.
void TForm1::ShowSelectedFile() { viewer::ShowFile(*this, FilePath()); }

}  // namespace app
