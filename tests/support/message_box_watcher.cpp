#include "support/message_box_watcher.h"

namespace test_support {

namespace {

// The box's icon is the static with the icon style; its id differs between platforms.
BOOL CALLBACK FindIcon(HWND child, LPARAM param) {
    char kind[16] = {};
    ::GetClassNameA(child, kind, sizeof kind);
    if (_stricmp(kind, "Static") == 0 && (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HICON*>(param) = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
        return FALSE;
    }
    return TRUE;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(std::vector<HWND> watched)
    : watched_(std::move(watched)),
      driver_({DialogAnswer::Click("OK").On(DialogClass::ErrorBox).Inspect([this](HWND box) {
          seen_.owner = ::GetWindow(box, GW_OWNER);
          ::EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&seen_.icon));
          for (HWND window : watched_) seen_.watchedEnabled.push_back(::IsWindowEnabled(window) != FALSE);
      })},
              60000) {}

const SeenBox& MessageBoxWatcher::Seen() {
    if (finished_) return seen_;
    finished_ = true;
    driver_.Finish();
    if (!driver_.Seen().empty()) {
        const SeenDialog& box = driver_.Seen().front();
        seen_.found = true;
        seen_.caption = box.caption;
        seen_.text = box.text;
        seen_.buttons = box.buttons;
    }
    return seen_;
}

}  // namespace test_support
