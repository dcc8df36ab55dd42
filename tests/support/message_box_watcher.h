#pragma once
// Reads and then closes a message box that the calling thread is about to show. The box's modal
// loop keeps the calling thread busy until the box is gone, so a helper thread does the reading.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
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
    // Watches the calling thread for a dialog box (class #32770), records what it shows and the
    // enabled state of `watched`, then presses its first button.
    explicit MessageBoxWatcher(std::vector<HWND> watched = {});
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Call once the code that should have shown the box has returned: a box that was shown has
    // been seen and closed by then, so a watcher that found none stops looking.
    const SeenBox& Seen();

private:
    void Watch();

    DWORD thread_;
    std::vector<HWND> watched_;
    SeenBox seen_;
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

}  // namespace test_support
