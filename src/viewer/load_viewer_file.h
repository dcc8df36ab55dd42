#pragma once
// Loading a file into the pane.
#include "platform/file_system.h"
#include "viewer/shown_part.h"

#include <windows.h>

#include <string>

namespace viewer {

class RichViewer;

// Replaces the pane's whole content with the text of the file at `path`, shown in `color` (the
// pane's FontColor() keeps what it shows): as rich text when the control reads it so, else as
// plain text with every line break made CR LF, as is a rich text larger than `limits` read as
// rich text, which would go in as one stream. The colour is given before the text goes in, as
// setting it afterwards would lay the whole text out again. Of a file larger than `limits`
// allow, the start is shown and a grey line after it counts the bytes not shown. The shown part
// is read before the pane changes and the file let go; plain text then goes in by pieces, the
// first before this returns (RichViewer::Load). Throws EFOpenError when the file cannot be
// opened and EOutOfResources "Failed to Load Stream" when it cannot be read, both with the pane
// unchanged, or when the control rejects it both ways.
void LoadViewerFile(RichViewer& pane, const platform::Path& path, COLORREF color,
                    platform::FileSystem& fs = platform::SystemFileSystem(), const ShowLimits& limits = {});

}  // namespace viewer
