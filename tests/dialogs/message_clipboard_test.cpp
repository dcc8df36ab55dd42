// Ctrl+C in a message dialog, and the error box when the clipboard is held elsewhere.
#include "support/dialog_driver.h"
#include "dialogs/error_report.h"
#include "dialogs/message_dialog.h"
#include "widgets/application.h"
#include "widgets/window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <thread>

using namespace dialogs;
using test_support::DialogAnswer;
using test_support::DialogClass;

namespace {

std::string ClipboardText() {
    if (!::OpenClipboard(nullptr)) return "<cannot open>";
    std::string text = "<no text>";
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) {
            text = bytes;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void PutOnClipboard(const std::string& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
    ::GlobalUnlock(memory);
    if (!::SetClipboardData(CF_TEXT, memory)) ::GlobalFree(memory);
    ::CloseClipboard();
}

// Another program's window holding the clipboard open, on a thread of its own.
class ClipboardHolder {
public:
    ClipboardHolder() {
        std::promise<bool> opened;
        auto isOpen = opened.get_future();
        thread_ = std::thread([this, &opened] {
            HWND window = ::CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                            ::GetModuleHandleA(nullptr), nullptr);
            opened.set_value(window && ::OpenClipboard(window));
            release_.get_future().wait();
            ::CloseClipboard();
            ::DestroyWindow(window);
        });
        holding_ = isOpen.get();
    }
    ~ClipboardHolder() {
        release_.set_value();
        thread_.join();
    }
    bool Holding() const { return holding_; }

private:
    std::promise<void> release_;
    std::thread thread_;
    bool holding_ = false;
};

class MessageClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { widgets::SetErrorHandler(dialogs::ReportError); }
    void TearDown() override { widgets::SetErrorHandler(nullptr); }
    widgets::Application application{"Zavotek - Search & Replace"};
};

}  // namespace

TEST_F(MessageClipboardTest, CtrlCCopiesTheDialogAsSevenLines) {
    PutOnClipboard("before");
    test_support::DialogDriver driver({DialogAnswer::Key('C', test_support::kCtrl).StaysOpen(),
                                       DialogAnswer::Key(VK_ESCAPE)});
    int result = ShowMessageDialog(L"Nothing to replace", MessageKind::Information, button::OK);
    ASSERT_TRUE(driver.Finish()) << driver.Failure();
    EXPECT_EQ(result, result::OK);
    const std::string rule(27, '-');
    EXPECT_EQ(ClipboardText(), rule + "\r\nInformation\r\n" + rule + "\r\nNothing to replace\r\n" + rule +
                                   "\r\nOK   \r\n" + rule + "\r\n");
}

TEST_F(MessageClipboardTest, CopiedQuestionListsItsButtonsWithoutAmpersands) {
    test_support::DialogDriver driver({DialogAnswer::Key('C', test_support::kCtrl).StaysOpen(),
                                       DialogAnswer::Key('N')});
    int result = ShowMessageDialog(L"Replace?\r\nC:\\a.txt", MessageKind::Confirmation, button::Yes | button::No);
    ASSERT_TRUE(driver.Finish()) << driver.Failure();
    EXPECT_EQ(result, result::No);
    const std::string rule(27, '-');
    EXPECT_EQ(ClipboardText(), rule + "\r\nConfirm\r\n" + rule + "\r\nReplace?\r\nC:\\a.txt\r\n" + rule +
                                   "\r\nYes   No   \r\n" + rule + "\r\n");
}

TEST_F(MessageClipboardTest, CtrlWithShiftOrAPlainCCopiesNothing) {
    PutOnClipboard("before");
    test_support::DialogDriver driver({DialogAnswer::Key('C', test_support::kCtrl | test_support::kShift).StaysOpen(),
                                       DialogAnswer::Key('C').StaysOpen(), DialogAnswer::CloseBox()});
    int result = ShowMessageDialog(L"Nothing to replace", MessageKind::Information, button::OK);
    ASSERT_TRUE(driver.Finish()) << driver.Failure();
    EXPECT_EQ(result, result::Cancel);
    EXPECT_EQ(ClipboardText(), "before");
}

TEST_F(MessageClipboardTest, HeldClipboardIsReportedAndTheDialogKeepsWaiting) {
    PutOnClipboard("before");
    ClipboardHolder holder;
    ASSERT_TRUE(holder.Holding());
    test_support::DialogDriver driver({
        DialogAnswer::Key('C', test_support::kCtrl).StaysOpen().On(DialogClass::MessageForm),
        DialogAnswer::Click("OK").On(DialogClass::ErrorBox),
        DialogAnswer::Key(VK_ESCAPE).On(DialogClass::MessageForm),
    });
    int result = ShowMessageDialog(L"Nothing to replace", MessageKind::Information, button::OK);
    ASSERT_TRUE(driver.Finish()) << driver.Failure();
    EXPECT_EQ(result, result::OK);
    ASSERT_EQ(driver.Seen().size(), 3u);
    const test_support::SeenDialog& box = driver.Seen()[1];
    EXPECT_EQ(box.windowClass, "#32770");
    EXPECT_EQ(box.caption, "Zavotek - Search & Replace");
    EXPECT_EQ(box.text, "Cannot open clipboard.");
    EXPECT_EQ(driver.Seen()[2].window, driver.Seen()[0].window);
}
