#pragma once
// Loading a file into the pane.
#include "platform/file_system.h"

#include <windows.h>

#include <string>

namespace viewer {

class RichViewer;

// Replaces the pane's whole content with the text of the file at `path`, shown in `color` (the
// pane's FontColor() keeps what it shows): as rich text when the control reads it so, else as
// plain text with every line break made CR LF. The colour is given before the text goes in, as
// setting it afterwards would lay the whole text out again. Throws EFOpenError when the file
// cannot be opened, EOutOfMemory when it is larger than the pane can hold, and EOutOfResources
// "Failed to Load Stream" when it cannot be read, all with the pane unchanged, or when the
// control rejects it both ways.
void LoadViewerFile(RichViewer& pane, const platform::Path& path, COLORREF color,
                    platform::FileSystem& fs = platform::SystemFileSystem());

}  // namespace viewer
