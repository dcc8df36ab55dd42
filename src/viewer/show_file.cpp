#include "viewer/show_file.h"

#include "viewer/load_viewer_file.h"
#include "viewer/rich_viewer.h"

namespace viewer {

void ShowFile(RichViewer& pane, const platform::Path& path) { LoadViewerFile(pane, path, kWindowTextColor); }

}  // namespace viewer
