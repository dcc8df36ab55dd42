#pragma once
// Showing one file in the viewer after an ordinary load.
#include "platform/path.h"

namespace viewer {

class RichViewer;

// Loads the file at `path` into the pane in the window-text colour, given before the text goes
// in; when the file cannot be opened or read, the pane and its colour stay as they were.
void ShowFile(RichViewer& pane, const platform::Path& path);

}  // namespace viewer
