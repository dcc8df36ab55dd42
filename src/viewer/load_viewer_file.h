#pragma once
// Loading a file into the pane.
#include "platform/file_system.h"

#include <string>

namespace viewer {

class RichViewer;

// Replaces the pane's whole content with the text of the file at `path`: as rich text when the
// control reads it so, else as plain text with every line break made CR LF. Touches neither the
// status bar nor the colour. Throws EFOpenError when the file cannot be opened and EOutOfMemory
// when it is larger than the pane can hold, both with the pane unchanged, and EOutOfResources
// "Failed to Load Stream" when the control rejects it both ways.
void LoadViewerFile(RichViewer& pane, const std::string& path,
                    platform::FileSystem& fs = platform::SystemFileSystem());

}  // namespace viewer
