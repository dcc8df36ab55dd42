// The built dialog: its window, children, marks and measures, measured here on their own.
#include "support/dialog_driver.h"
#include "support/screen_capture.h"
#include "support/window_driving.h"
#include "dialogs/message_dialog.h"
#include "widgets/application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace dialogs;
using test_support::DialogAnswer;

namespace {

// A path of about 170 characters without a blank, wider than half of any screen here.
const std::wstring kLongPath =
    L"C:\\Customers\\Northwind_Trading_Company\\Website_Archive_2005\\public_html\\catalogue\\"
    L"seasonal_products\\autumn_collection\\product_descriptions_for_the_printed_brochure.html";

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

LOGFONTA MessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfMessageFont;
}

// The measures taken with the message font, as a person checking the dialog would take them.
struct Measured {
    int x, y;       // dialog units
    SIZE pathLine;  // the long path on one line
};

Measured Measure() {
    LOGFONTA logFont = MessageFont();
    HFONT font = ::CreateFontIndirectA(&logFont);
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE letters{}, path{};
    ::GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    ::GetTextExtentPoint32W(dc, kLongPath.c_str(), static_cast<int>(kLongPath.size()), &path);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(font);
    return {letters.cx / 52, letters.cy, path};
}

}  // namespace

TEST(MessageForm, ChildrenInCreationOrderWithTheirMarks) {
    auto dialog = BuildMessageDialog(L"Replace all instances in the selected file?", MessageKind::Confirmation,
                                     button::OK | button::Cancel);
    HWND form = dialog->Handle();
    EXPECT_EQ(test_support::WindowClass(form), "TMessageForm");
    EXPECT_FALSE(::IsWindowVisible(form));
    EXPECT_EQ(test_support::WindowText(form), "Confirm");

    HWND image = ::GetWindow(form, GW_CHILD);
    HWND message = ::GetWindow(image, GW_HWNDNEXT);
    HWND ok = ::GetWindow(message, GW_HWNDNEXT);
    HWND cancel = ::GetWindow(ok, GW_HWNDNEXT);
    EXPECT_EQ(image, dialog->Image());
    EXPECT_EQ(::GetWindowLongA(image, GWL_STYLE) & SS_TYPEMASK, SS_ICON);
    EXPECT_EQ(message, dialog->Message());
    EXPECT_EQ(test_support::WindowText(message), "Replace all instances in the selected file?");
    EXPECT_EQ(test_support::WindowText(ok), "OK");
    EXPECT_EQ(test_support::WindowText(cancel), "Cancel");
    EXPECT_EQ(::GetWindow(cancel, GW_HWNDNEXT), nullptr);

    EXPECT_EQ(::GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(::GetWindowLongA(cancel, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(dialog->DefaultButton(), ok);
    EXPECT_EQ(dialog->CancelButton(), cancel);
}

TEST(MessageForm, MarksOfTheOtherCombinations) {
    auto yesNo = BuildMessageDialog(L"?", MessageKind::Confirmation, button::Yes | button::No);
    ASSERT_EQ(yesNo->Buttons().size(), 2u);
    EXPECT_EQ(yesNo->DefaultButton(), yesNo->Buttons()[0]);
    EXPECT_EQ(yesNo->CancelButton(), yesNo->Buttons()[1]);
    auto ok = BuildMessageDialog(L"!", MessageKind::Information, button::OK);
    EXPECT_EQ(ok->DefaultButton(), ok->Buttons()[0]);
    EXPECT_EQ(ok->CancelButton(), ok->Buttons()[0]);
    auto none = BuildMessageDialog(L"!", MessageKind::Custom, 0);
    EXPECT_TRUE(none->Buttons().empty());
    EXPECT_EQ(none->Image(), nullptr);
    EXPECT_EQ(none->DefaultButton(), nullptr);
    EXPECT_EQ(none->CancelButton(), nullptr);
}

TEST(MessageForm, DialogFrameWithOnlyACloseBox) {
    auto dialog = BuildMessageDialog(L"!", MessageKind::Warning, button::OK);
    LONG style = ::GetWindowLongA(dialog->Handle(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD));
    EXPECT_TRUE(::GetWindowLongA(dialog->Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
}

TEST(MessageForm, UsesTheMessageFontEverywhere) {
    auto dialog = BuildMessageDialog(L"!", MessageKind::Confirmation, button::Yes | button::No);
    LOGFONTA expected = MessageFont();
    for (HWND control : {dialog->Message(), dialog->Buttons()[0], dialog->Buttons()[1]}) {
        LOGFONTA used{};
        HFONT font = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
        ASSERT_TRUE(font);
        ::GetObjectA(font, sizeof used, &used);
        EXPECT_STREQ(used.lfFaceName, expected.lfFaceName);
        EXPECT_EQ(used.lfHeight, expected.lfHeight);
    }
}

TEST(MessageForm, LongPathWithoutSpacesWidensTheDialogToThePath) {
    const std::wstring text = L"Confirm you want to replace all instances in this file:\r\n\r\n" + kLongPath;
    Measured m = Measure();
    ASSERT_GT(m.pathLine.cx, ::GetSystemMetrics(SM_CXSCREEN) / 2) << "the path must not fit in half the screen";
    auto dialog = BuildMessageDialog(text, MessageKind::Confirmation, button::Yes | button::No);

    const int hMargin = ::MulDiv(8, m.x, 4), vMargin = ::MulDiv(8, m.y, 8);
    const int hSpacing = ::MulDiv(10, m.x, 4), vSpacing = ::MulDiv(10, m.y, 8);
    const int buttonHeight = ::MulDiv(14, m.y, 8);
    RECT label = test_support::RectInParent(dialog->Message());
    EXPECT_EQ(Width(label), m.pathLine.cx);  // the path is one line, and the widest
    EXPECT_EQ(Height(label), 3 * m.y);       // the sentence, an empty line, the path
    EXPECT_EQ(label.left, 32 + hSpacing + hMargin);
    EXPECT_EQ(label.top, vMargin);

    RECT image = test_support::RectInParent(dialog->Image());
    EXPECT_EQ(image.left, hMargin);
    EXPECT_EQ(image.top, vMargin);
    EXPECT_EQ(Width(image), 32);
    EXPECT_EQ(Height(image), 32);

    RECT client;
    ::GetClientRect(dialog->Handle(), &client);
    EXPECT_EQ(client.right, m.pathLine.cx + 32 + hSpacing + 2 * hMargin);
    EXPECT_EQ(client.bottom, std::max(3 * m.y, 32) + buttonHeight + vSpacing + 2 * vMargin);

    RECT yes = test_support::RectInParent(dialog->Buttons()[0]), no = test_support::RectInParent(dialog->Buttons()[1]);
    const int buttonWidth = Width(yes), row = 2 * buttonWidth + ::MulDiv(4, m.x, 4);
    EXPECT_GE(buttonWidth, ::MulDiv(50, m.x, 4));
    EXPECT_EQ(Width(no), buttonWidth);
    EXPECT_EQ(Height(yes), buttonHeight);
    EXPECT_EQ(yes.left, (client.right - row) / 2);
    EXPECT_EQ(no.left, yes.left + buttonWidth + ::MulDiv(4, m.x, 4));
    EXPECT_EQ(yes.top, std::max(3 * m.y, 32) + vMargin + vSpacing);

    // Built in the middle of the screen: half the screen less half the window.
    RECT outer;
    ::GetWindowRect(dialog->Handle(), &outer);
    EXPECT_EQ(outer.left, ::GetSystemMetrics(SM_CXSCREEN) / 2 - Width(outer) / 2);
    EXPECT_EQ(outer.top, ::GetSystemMetrics(SM_CYSCREEN) / 2 - Height(outer) / 2);
}

TEST(MessageForm, ShortTextWrapsWithinHalfTheScreen) {
    std::wstring words;
    for (int i = 0; i < 60; ++i) words += L"replace ";
    auto dialog = BuildMessageDialog(words, MessageKind::Information, button::OK);
    RECT label = test_support::RectInParent(dialog->Message());
    EXPECT_LE(Width(label), ::GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_GE(Height(label), 2 * Measure().y);
}

TEST(MessageForm, RightToLeftApplicationMirrorsTextAndIcon) {
    widgets::Application application("Zavotek - Search & Replace");
    HWND main = ::CreateWindowExA(WS_EX_RTLREADING, "STATIC", "Main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(main);
    application.SetMainWindow(main);
    auto dialog = BuildMessageDialog(L"Nothing to replace", MessageKind::Information, button::OK);
    RECT client;
    ::GetClientRect(dialog->Handle(), &client);
    RECT label = test_support::RectInParent(dialog->Message()), image = test_support::RectInParent(dialog->Image());
    const int hMargin = ::MulDiv(8, Measure().x, 4);
    EXPECT_EQ(client.right - image.right, hMargin);
    EXPECT_EQ(label.left, hMargin);
    EXPECT_LE(label.right, image.left);
    EXPECT_TRUE(::GetWindowLongA(dialog->Message(), GWL_EXSTYLE) & WS_EX_RTLREADING);
    dialog.reset();
    ::DestroyWindow(main);
}

TEST(MessageForm, ScreenshotOfTheReplaceQuestion) {
    widgets::Application application("Zavotek - Search & Replace");
    const std::string bmp = test_support::ScreenshotFolder() + "\\confirm_replace_file.bmp";
    ::DeleteFileA(bmp.c_str());
    test_support::DialogDriver driver({DialogAnswer::Key('N').SaveImage(bmp)});
    int result = ShowMessageDialog(L"Confirm you want to replace all instances in this file:\r\n\r\n" + kLongPath,
                                   MessageKind::Confirmation, button::Yes | button::No);
    ASSERT_TRUE(driver.Finish()) << driver.Failure();
    EXPECT_EQ(result, result::No);
    WIN32_FILE_ATTRIBUTE_DATA file{};
    ASSERT_TRUE(::GetFileAttributesExA(bmp.c_str(), GetFileExInfoStandard, &file)) << bmp;
    EXPECT_GT(file.nFileSizeLow, 54u + 3u * 400u * 100u);
}
