#pragma once
// Selecting the replacement text in the pane after a rewrite.
#include <string>

namespace viewer {

class RichViewer;

// Selects the occurrence of `text` (up to its first NUL; letter case counts) that the documented
// passes select: from P = 0 on in steps of the text's length, the first occurrence at or after P,
// while there is one. Gives the pane the focus, activating its window when another window of the
// program is active, and scrolls the selection into view. With redrawing suspended throughout, the
// pane is painted once at the end. When the text does not occur, or is empty, the selection and
// the focus stay as they were. Throws EInvalidOperation when the pane cannot take the focus.
void HighlightText(RichViewer& pane, const std::string& text);

}  // namespace viewer
