#pragma once
// The control's own forward search within a range of the pane's text.
#include <windows.h>

#include <string>

namespace viewer {

class RichViewer;

enum FindOptions : unsigned { kWholeWord = 1, kMatchCase = 2 };

// The offset at which `text`, up to its first NUL, first occurs wholly inside the `length`
// characters from `start`, or -1. Offsets count a line break as two characters; the control
// clips a range that runs past the end of its text.
LONG FindInViewer(const RichViewer& pane, const std::string& text, LONG start, LONG length, unsigned options);

}  // namespace viewer
