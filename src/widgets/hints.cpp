#include "widgets/hints.h"

#include <commctrl.h>

namespace widgets {

namespace {
TTTOOLINFOA ToolInfo(HWND window, UINT_PTR id, UINT flags) {
    TTTOOLINFOA info{};
    // The size without the last, reserved field suits every version of the common controls;
    // the whole structure is refused by those older than 6.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = flags | TTF_SUBCLASS;
    info.hwnd = window;
    info.uId = id;
    return info;
}
}  // namespace

Hints::Hints(HWND owner)
    : tooltip_(::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr)) {
    ::SendMessageA(tooltip_.get(), TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(500, 0));
    ::SendMessageA(tooltip_.get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(2500, 0));
    ::SendMessageA(tooltip_.get(), TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(0, 0));
    ::SendMessageA(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, 400);
}

void Hints::Add(HWND control, const std::string& text) {
    TTTOOLINFOA info = ToolInfo(::GetParent(control), reinterpret_cast<UINT_PTR>(control), TTF_IDISHWND);
    info.lpszText = const_cast<char*>(text.c_str());
    ::SendMessageA(tooltip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void Hints::AddRegion(HWND window, UINT_PTR id, const RECT& region, const std::string& text) {
    TTTOOLINFOA info = ToolInfo(window, id, 0);
    info.rect = region;
    info.lpszText = const_cast<char*>(text.c_str());
    ::SendMessageA(tooltip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void Hints::MoveRegion(HWND window, UINT_PTR id, const RECT& region) {
    TTTOOLINFOA info = ToolInfo(window, id, 0);
    info.rect = region;
    ::SendMessageA(tooltip_.get(), TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace widgets
