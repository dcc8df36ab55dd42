#pragma once
// Answers the program's dialogs as a person would, from a background thread, so that a test can
// run code that shows modal dialogs and then check what each dialog showed.
//
//   using test_support::DialogAnswer;
//   test_support::DialogDriver driver({DialogAnswer::Key(VK_RETURN)});
//   int answer = dialogs::ShowMessageDialog("Done", dialogs::MessageKind::Information, dialogs::button::OK);
//   ASSERT_TRUE(driver.Finish()) << driver.Failure();
//   EXPECT_EQ(answer, dialogs::result::OK);
//   EXPECT_EQ(driver.Seen()[0].caption, "Information");
//
// Start the driver before the code that shows the dialog. For each answer in turn it waits for
// a visible, enabled top-level window of this process of class TMessageForm (the message dialog)
// or #32770 (the standard message box of the error box), records its caption, text, buttons and
// focused control, then answers. An answer is expected to close its dialog, and the driver waits
// until it is gone before taking the next answer; one marked StaysOpen waits instead until the
// dialog's thread has handled it and checks that the dialog still shows. When a dialog does not
// appear, or does not close or stay open as expected, within the time-out, the driver records
// the failure, closes every dialog of the process that still shows (so that the test never
// hangs) and stops; a test that expects no dialog gives a short time-out and checks Seen().
// A test that leaves by an exception stops the driver at once instead of waiting for dialogs.
// One driver at a time.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace test_support {

enum Modifier : unsigned { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

enum class DialogClass { Any, MessageForm, ErrorBox };

class DialogAnswer {
public:
    enum class Action { Key, Click, CloseBox, Quit };

    // A key as the keyboard delivers it to the focused control: WM_KEYDOWN and WM_KEYUP, or
    // WM_SYSKEYDOWN and WM_SYSKEYUP with the Alt bit for kAlt; the dialog's own loop translates
    // it into a character. kShift and kCtrl are held in the keyboard state, shared with the
    // dialog's thread, until the key has been handled.
    static DialogAnswer Key(UINT virtualKey, unsigned modifiers = kNoModifier);
    // A click on the button whose caption, read without "&", is `caption` (BM_CLICK).
    static DialogAnswer Click(std::string caption);
    // The close box: WM_SYSCOMMAND with SC_CLOSE.
    static DialogAnswer CloseBox();
    // A request to end the program: WM_QUIT to the dialog's thread.
    static DialogAnswer Quit();

    // The dialog is expected to stay open after this answer.
    DialogAnswer& StaysOpen();
    // Only a dialog of this class takes this answer.
    DialogAnswer& On(DialogClass which);
    // Saves the dialog as it shows on the screen to a 24-bit BMP before answering.
    DialogAnswer& SaveImage(std::string bmpPath);
    // Runs on the driver's thread with the dialog before answering, e.g. to look at other windows.
    DialogAnswer& Inspect(std::function<void(HWND dialog)> look);

private:
    friend class DialogDriver;
    explicit DialogAnswer(Action action) : action_(action) {}

    Action action_;
    UINT key_ = 0;
    unsigned modifiers_ = kNoModifier;
    std::string button_;
    bool staysOpen_ = false;
    DialogClass on_ = DialogClass::Any;
    std::string imagePath_;
    std::function<void(HWND)> inspect_;
};

struct SeenDialog {
    HWND window = nullptr;
    std::string windowClass;  // "TMessageForm" or "#32770"
    std::string caption;
    std::string text;         // the message
    std::vector<std::string> buttons;  // captions as written, "&" included, in row order
    std::string focus;        // caption of the control that had the focus
};

class DialogDriver {
public:
    explicit DialogDriver(std::vector<DialogAnswer> answers, DWORD timeoutMs = 10000);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Waits for the driver to be done; true when every answer found its dialog and had the
    // expected effect. Call it after the code that shows the dialogs has returned.
    bool Finish();
    // Valid after Finish: what each answered dialog showed, and why the driver failed.
    const std::vector<SeenDialog>& Seen() const noexcept { return seen_; }
    const std::string& Failure() const noexcept { return failure_; }

private:
    void Run();
    bool Answer(const DialogAnswer& answer, HWND dialog);
    void Fail(const std::string& why);
    void CloseEveryDialog();

    std::vector<DialogAnswer> answers_;
    DWORD timeoutMs_;
    std::vector<SeenDialog> seen_;
    std::string failure_;
    std::atomic<bool> stopped_{false};
    std::thread thread_;
};

}  // namespace test_support
