#pragma once
// Showing one file in the main window's viewer.
#include <string>

namespace app {
class TForm1;
}

namespace viewer {

// Loads the file at `path` into the viewer, puts the path in the status bar and sets the viewer's
// colour to the window-text colour, in this order; when the load fails, the status bar and the
// colour stay as they were.
void ShowFile(app::TForm1& form, const std::string& path);

}  // namespace viewer
