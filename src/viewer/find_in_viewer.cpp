#include "viewer/find_in_viewer.h"

#include "viewer/rich_viewer.h"

#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <climits>

namespace viewer {

LONG FindInViewer(const RichViewer& pane, const std::string& text, LONG start, LONG length, unsigned options) {
    FINDTEXTA find{};
    find.chrg.cpMin = start;
    find.chrg.cpMax = static_cast<LONG>(std::min<LONGLONG>(LONGLONG{start} + length, LONG_MAX));
    find.lpstrText = text.c_str();
    WPARAM flags = 0;
    if (options & kWholeWord) flags |= FR_WHOLEWORD;
    if (options & kMatchCase) flags |= FR_MATCHCASE;
    return static_cast<LONG>(::SendMessageA(pane.Handle(), EM_FINDTEXT, flags, reinterpret_cast<LPARAM>(&find)));
}

}  // namespace viewer
