#pragma once
// Showing one file in the viewer after an ordinary load.
#include <string>

namespace viewer {

class RichViewer;

// Loads the file at `path` into the pane and sets the pane's colour to the window-text colour;
// when the load fails, the pane and its colour stay as they were.
void ShowFile(RichViewer& pane, const std::string& path);

}  // namespace viewer
