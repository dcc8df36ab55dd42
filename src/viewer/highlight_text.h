#pragma once
// Selecting the replacement text in the pane after a rewrite.
#include <string>

namespace viewer {

class RichViewer;

// Selects one occurrence of `text` (up to its first NUL; letter case counts): with L the text's
// length and M the start of its last occurrence, the first occurrence at or after L x (M div L),
// which is where a search from P = 0 in steps of L, each taking the first occurrence at or after
// P, comes to rest. Gives the pane the focus, activating its window when another window of the
// program is active, and scrolls the selection into view; the pane is painted once at the end.
// When the text does not occur, or is empty, the selection and the focus stay as they were.
// Throws EInvalidOperation when the pane cannot take the focus. The search reads the file's text
// in the pane, never the grey line after it, once the whole of it is in, a range at a time
// between the window's messages (RichViewer::AfterLoad): what is done at once is done before this
// returns, and a failure after that goes to the window's error box.
void HighlightText(RichViewer& pane, const std::string& text);

}  // namespace viewer
