// The windows on a screen of ZAVOTEK_DPI dots per inch (a Wine prefix that scripts/wine-dpi sets
// so), in a program that carries the real manifest and pictures: every place is the 96-dpi
// design's scaled by MulDiv, no text is cut off, the pictures are the ones for that dpi; then a
// WM_DPICHANGED to 96, as a move to another display sends, gives the 96-dpi design again.
#include "app/main_form.h"
#include "app/search_splash.h"
#include "dialogs/message_dialog.h"
#include "platform/shell.h"
#include "support/screen_capture.h"
#include "support/temp_folder.h"
#include "support/window_driving.h"
#include "widgets/anchors.h"
#include "widgets/dpi.h"
#include "widgets/gdi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

int dpi = 96;
int S(int v) { return MulDiv(v, dpi, 96); }

int IconSide(HICON icon) {
    ICONINFO info{};
    BITMAP mask{};
    if (!icon || !::GetIconInfo(icon, &info)) return 0;
    ::GetObjectA(info.hbmMask, sizeof mask, &mask);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    return mask.bmWidth;
}

// The control's text, laid out in its own font within its client width, takes no more room than
// the client area has.
void ExpectTextFits(HWND control, bool wraps) {
    std::wstring text(::GetWindowTextLengthW(control) + 1, L'\0');
    text.resize(::GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
    std::erase(text, L'&');
    const SIZE client = test_support::ClientSize(control);
    widgets::WindowDc dc(control);
    widgets::SelectScope font(dc.Dc(), reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
    RECT wrapped{0, 0, client.cx, 0};
    if (wraps) ::DrawTextW(dc.Dc(), text.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_LE(wraps ? wrapped.bottom : size.cy, client.cy) << test_support::WindowText(control);
    if (!wraps) {
        EXPECT_LE(size.cx, client.cx) << test_support::WindowText(control);
    }
}

// Where a control of the 96-dpi design goes (left, top, width, height, corners scaled) when its
// parent is `grown` wider and taller than the scaled design: an anchored edge keeps its distance.
void ExpectPlace(const RECT& r, RECT design, unsigned anchors, SIZE grown, const std::string& what) {
    using namespace widgets;
    RECT e{S(design.left), S(design.top), S(design.left + design.right), S(design.top + design.bottom)};
    if (anchors & kAnchorRight) e.right += grown.cx;
    if ((anchors & (kAnchorLeft | kAnchorRight)) == kAnchorRight) e.left += grown.cx;
    if (anchors & kAnchorBottom) e.bottom += grown.cy;
    if ((anchors & (kAnchorTop | kAnchorBottom)) == kAnchorBottom) e.top += grown.cy;
    EXPECT_EQ(r.left, e.left) << what;
    EXPECT_EQ(r.top, e.top) << what;
    EXPECT_EQ(r.right, e.right) << what;
    // A drop-down's window also holds its list; its height is not the field's.
    if (design.bottom) {
        EXPECT_EQ(r.bottom, e.bottom) << what;
    }
}

TEST(Dpi, EveryWindowIsTheDesignScaledWithWholeTextsAndThePicturesForItsDpi) {
    const char* prefixDpi = std::getenv("ZAVOTEK_DPI");
    ASSERT_TRUE(prefixDpi) << "run through scripts/wine-dpi";
    test_support::TempFolder folder;
    folder.WriteFile("notes.txt", "text");
    app::TForm1 form(platform::SystemShell());
    form.FileListBox().Listing().SetDirectory(folder.Path());
    app::TfrmSearchSplash splash;
    auto dialog = dialogs::BuildMessageDialog(L"Confirm you want to replace all instances in this file:\r\n\r\n" +
                                                  folder.Path().Join(L"notes.txt").Text(),
                                              dialogs::MessageKind::Confirmation, dialogs::button::OK | dialogs::button::Cancel);
    for (int at : {std::atoi(prefixDpi), 96}) {
        dpi = at;
        RECT place{0, 0, S(640), S(530)};
        if (form.Dpi() != dpi)
            for (HWND w : {form.Handle(), splash.Handle(), dialog->Handle()})
                ::SendMessageW(w, widgets::kDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
        ASSERT_EQ(form.Dpi(), dpi) << "the prefix's dpi did not take";
        ::SetWindowPos(form.Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        RECT outer;
        ::GetWindowRect(form.Handle(), &outer);
        EXPECT_EQ(outer.right - outer.left, S(640));
        EXPECT_EQ(outer.bottom - outer.top, S(530));
        MINMAXINFO limits{};
        ::SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, S(640));
        EXPECT_EQ(limits.ptMinTrackSize.y, S(530));
        ::ShowWindow(form.Handle(), SW_SHOWNORMAL);
        // The frame may be thinner than the design's (Wine's is): the client area is then larger.
        const SIZE client = test_support::ClientSize(form.Handle());
        const SIZE grown{client.cx - S(632), client.cy - S(496)};

        HWND panel = form.Panel1().Handle();
        using namespace widgets;
        constexpr unsigned L = kAnchorLeft, T = kAnchorTop, R = kAnchorRight, B = kAnchorBottom;
        const struct {
            HWND window;
            RECT design;
            unsigned anchors;
        } places[] = {
            {form.imgBan().Handle(), {0, 0, 632, 50}, L | T | R}, {form.imgWeb().Handle(), {590, 8, 32, 32}, T | R},
            {panel, {0, 50, 632, 119}, L | T | R}, {form.cbFileType(), {80, 9, 120, 0}, L | T},
            {form.cbWarn(), {205, 11, 59, 17}, L | T}, {form.cbSaveSearch(), {265, 11, 81, 17}, L | T},
            {form.cbWordWrap(), {349, 11, 75, 17}, L | T}, {form.edSearch(), {80, 35, 542, 21}, L | T | R},
            {form.edReplace(), {80, 62, 542, 21}, L | T | R}, {form.edFolder(), {80, 89, 542, 21}, L | T | R},
            {form.FileListBox().Handle(), {0, 169, 180, 305}, L | T | B},
            {form.Splitter1().Handle(), {180, 169, 3, 305}, L | T | B},
            {form.memHTML().Handle(), {183, 169, 449, 305}, L | T | R | B},
            {form.StatBar(), {0, 474, 632, 22}, L | R | B}};
        for (const auto& p : places)
            ExpectPlace(test_support::RectInParent(p.window), p.design, p.anchors, grown,
                        test_support::WindowClass(p.window));
        ExpectPlace(form.btnReplace().Place(), {427, 6, 97, 25}, T | R, grown, "btnReplace");
        ExpectPlace(form.btnGlobReplace().Place(), {525, 6, 97, 25}, T | R, grown, "btnGlobReplace");
        const std::pair<const char*, POINT> labels[] = {
            {"File Type:", {31, 13}}, {"Search For:", {22, 39}}, {"Replace With:", {11, 66}}, {"Select Folder:", {12, 93}}};
        for (auto [text, design] : labels) {
            HWND label = ::FindWindowExA(panel, nullptr, "Static", text);
            const RECT r = test_support::RectInParent(label);
            EXPECT_EQ(r.left, S(design.x)) << text;
            EXPECT_EQ(r.top, S(design.y)) << text;
            ExpectTextFits(label, false);
        }
        LOGFONTA font{};
        ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageW(form.edSearch(), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -S(11));

        EXPECT_EQ(form.imgBan().ImageSize().cx, S(600));
        EXPECT_EQ(form.imgBan().ImageSize().cy, S(50));
        EXPECT_EQ(form.imgWeb().ImageSize().cx, S(32));
        EXPECT_EQ(form.btnReplace().PictureSize(), S(16));
        EXPECT_EQ(form.btnGlobReplace().PictureSize(), S(16));
        EXPECT_EQ(IconSide(reinterpret_cast<HICON>(::SendMessageW(form.edFolderButton(), BM_GETIMAGE, IMAGE_ICON, 0))), S(16));
        EXPECT_EQ(form.FileListBox().IconSize(), S(16));

        test_support::SettleWindowManager();
        ::GetWindowRect(form.Handle(), &outer);
        test_support::ScreenCapture shot(outer);
        shot.SaveBmp(test_support::ScreenshotFolder() + "\\main_window_" + std::to_string(dpi) + "dpi.bmp");
        // On the screen the banner is the picture's width, white beyond, below the link icon.
        RECT banner = test_support::RectInParent(form.imgBan().Handle());
        ::MapWindowPoints(form.Handle(), nullptr, reinterpret_cast<POINT*>(&banner), 2);
        ::OffsetRect(&banner, -outer.left, -outer.top);
        const int row = banner.top + S(48);
        EXPECT_NE(shot.At(banner.left + S(600) - 1, row), RGB(255, 255, 255));
        EXPECT_EQ(shot.At(banner.left + S(600), row), RGB(255, 255, 255));

        const SIZE splashClient = test_support::ClientSize(splash.Handle());
        EXPECT_GE(splashClient.cx, S(261));
        EXPECT_EQ(splashClient.cy, S(43));
        const RECT label = test_support::RectInParent(splash.Label1());
        EXPECT_EQ(label.left, S(37));
        EXPECT_EQ(label.top, S(15));
        ExpectTextFits(splash.Label1(), false);
        EXPECT_EQ(test_support::RectInParent(splash.Animate1()).left, S(12));
        for (HWND b : dialog->Buttons()) ExpectTextFits(b, false);
        ExpectTextFits(dialog->Message(), true);
        EXPECT_EQ(IconSide(reinterpret_cast<HICON>(::SendMessageW(dialog->Image(), STM_GETICON, 0, 0))), S(32));
    }
}

}  // namespace
