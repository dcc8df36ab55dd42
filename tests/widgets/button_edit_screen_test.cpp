// The button edit on the screen with the visual-styles controls (comctl32 version 6) that the
// program's manifest asks for: the button inside the edit's right edge is drawn whole.
#include "widgets/button_edit.h"
#include "support/screen_capture.h"
#include "support/temp_folder.h"
#include "support/window_driving.h"

#include <gtest/gtest.h>

namespace {

constexpr char kManifest[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <dependency><dependentAssembly>
    <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                      processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>
  </dependentAssembly></dependency>
</assembly>)";

// Windows created while it lives are the version-6 controls, as in the program.
class VisualStyles {
public:
    explicit VisualStyles(const platform::Path& manifestPath) {
        ACTCTXW context{sizeof context};
        context.lpSource = manifestPath.c_str();
        context_ = ::CreateActCtxW(&context);
        active_ = context_ != INVALID_HANDLE_VALUE && ::ActivateActCtx(context_, &cookie_);
    }
    ~VisualStyles() {
        if (active_) ::DeactivateActCtx(0, cookie_);
        if (context_ != INVALID_HANDLE_VALUE) ::ReleaseActCtx(context_);
    }
    VisualStyles(const VisualStyles&) = delete;
    VisualStyles& operator=(const VisualStyles&) = delete;
    bool Active() const noexcept { return active_; }

private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

// The pixels of the button's place that differ from the edit's background beside it.
int DrawnPixels(HWND button) {
    for (int i = 0; i < 10; ++i) {
        test_support::DispatchWaitingMessages();
        ::Sleep(20);
    }
    RECT place;
    ::GetWindowRect(button, &place);
    test_support::ScreenCapture shot(RECT{place.left - 30, place.top, place.right, place.bottom});
    const COLORREF background = shot.At(5, (place.bottom - place.top) / 2);
    return shot.Count(RECT{30, 0, shot.Width(), shot.Height()}, [&](COLORREF c) { return c != background; });
}

TEST(ButtonEditOnScreen, TheButtonInTheRightMarginIsDrawnWithItsFrame) {
    test_support::TempFolder temp;
    VisualStyles styles(temp.WriteFile("styles.manifest", kManifest));
    ASSERT_TRUE(styles.Active());
    HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 100, nullptr,
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr);
    {
        widgets::ButtonEdit edit(parent, 7, 20);
        ::MoveWindow(edit.Handle(), 10, 10, 300, 21, TRUE);
        edit.SetReadOnly(true);
        edit.SetText(L"C:\\some\\folder");
        const int drawn = DrawnPixels(edit.Button());
        test_support::ScreenCapture whole([&] {
            RECT r;
            ::GetWindowRect(parent, &r);
            return r;
        }());
        whole.SaveBmp(test_support::ScreenshotFolder() + "\\button_edit_styles.bmp");
        // Against the same place with the button hidden: the edit's own background alone.
        ::ShowWindow(edit.Button(), SW_HIDE);
        const int without = DrawnPixels(edit.Button());
        EXPECT_EQ(without, 0);
        // A frame round a 20 x 17 face has well over 40 pixels.
        EXPECT_GT(drawn, 40);
    }
    ::DestroyWindow(parent);
}

}  // namespace
