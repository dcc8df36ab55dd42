#pragma once
// Reads and then closes the error box that the calling thread is about to show, with what the
// error-box tests need beyond the dialog driver's record: its icon, its owner, and whether other
// windows were enabled while it showed.
#include "support/dialog_driver.h"

#include <windows.h>

#include <string>
#include <vector>

namespace test_support {

struct SeenBox {
    bool found = false;
    std::string caption;
    std::string text;
    HICON icon = nullptr;
    std::vector<std::string> buttons;
    HWND owner = nullptr;
    // For each watched window: was it enabled while the box showed?
    std::vector<bool> watchedEnabled;
};

class MessageBoxWatcher {
public:
    // Watches for a standard message box (class #32770), records what it shows and the enabled
    // state of `watched`, then presses OK.
    explicit MessageBoxWatcher(std::vector<HWND> watched = {});
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Call once the code that should have shown the box has returned.
    const SeenBox& Seen();

private:
    std::vector<HWND> watched_;
    SeenBox seen_;
    bool finished_ = false;
    DialogDriver driver_;
};

}  // namespace test_support
