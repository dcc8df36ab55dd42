// The windows at ZAVOTEK_DPI (scripts/wine-dpi), with the shipped manifest and pictures, then at 96 by WM_DPICHANGED.
#include "app/main_form.h"
#include "app/search_splash.h"
#include "dialogs/message_dialog.h"
#include "platform/shell.h"
#include "support/main_form_places.h"
#include "support/screen_capture.h"
#include "support/temp_folder.h"
#include "support/window_driving.h"
#include "widgets/dpi.h"
#include "widgets/gdi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace widgets;
int dpi = 96;
long S(long v) { return MulDiv(v, dpi, 96); }
using V = std::vector<long>;

int IconSide(HICON icon) {
    ICONINFO info{};
    BITMAP mask{};
    if (icon && ::GetIconInfo(icon, &info)) ::GetObjectA(info.hbmMask, sizeof mask, &mask);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return mask.bmWidth;
}

// The control's text in its own font, on one line or wrapped at its width, fits its client area.
void ExpectTextFits(HWND control, bool wraps) {
    const std::string text = test_support::WindowText(control);  // ASCII here
    const SIZE client = test_support::ClientSize(control);
    WindowDc dc(control);
    SelectScope font(dc.Dc(), reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE line{};
    ::GetTextExtentPoint32A(dc.Dc(), text.c_str(), static_cast<int>(text.size()), &line);
    RECT wrapped{0, 0, client.cx, 0};
    ::DrawTextA(dc.Dc(), text.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_TRUE(wraps ? wrapped.bottom <= client.cy : line.cx <= client.cx && line.cy <= client.cy)
        << text << " in " << client.cx << " x " << client.cy;
}

// A place of the progress window's design (left, top; scaled), which lays itself out.
void ExpectCorner(HWND window, POINT design, const std::string& what) {
    const RECT r = test_support::RectInParent(window);
    EXPECT_EQ(V({r.left, r.top}), V({S(design.x), S(design.y)})) << what;
}

TEST(Dpi, EveryWindowIsTheDesignScaledWithWholeTextsAndThePicturesForItsDpi) {
    const char* prefixDpi = std::getenv("ZAVOTEK_DPI");
    ASSERT_TRUE(prefixDpi) << "run through scripts/wine-dpi";
    test_support::TempFolder folder;
    app::TForm1 form(platform::SystemShell());
    form.FileListBox().Listing().SetDirectory(folder.Path());
    app::TfrmSearchSplash splash;
    auto dialog = dialogs::BuildMessageDialog(
        L"Confirm you want to replace all instances in this file:\r\n\r\n" + folder.WriteFile("a.txt", "a").Text(),
        dialogs::MessageKind::Confirmation, dialogs::button::OK | dialogs::button::Cancel);
    for (int at : {std::atoi(prefixDpi), 96}) {
        dpi = at;
        RECT place{0, 0, S(640), S(530)};
        if (form.Dpi() != dpi)
            for (HWND w : {form.Handle(), splash.Handle(), dialog->Handle()})
                ::SendMessageW(w, kDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
        ASSERT_EQ(form.Dpi(), dpi) << "the prefix's dpi did not take";
        ::GetWindowRect(form.Handle(), &place);
        MINMAXINFO m{};
        ::SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&m));
        EXPECT_EQ(V({place.right - place.left, place.bottom - place.top, m.ptMinTrackSize.x, m.ptMinTrackSize.y}),
                  V({S(640), S(530), S(640), S(530)}));
        ::ShowWindow(form.Handle(), SW_SHOWNORMAL);
        test_support::ExpectPlacedAsComputed(form);
        for (app::Ctl label : {app::Ctl::Label1, app::Ctl::Label2, app::Ctl::Label3, app::Ctl::Label4})
            ExpectTextFits(form.Control(label), false);
        ExpectCorner(splash.Label1(), {37, 15}, "the progress window's label");
        ExpectTextFits(splash.Label1(), false);
        ExpectCorner(splash.Animate1(), {12, 13}, "the progress window's animation");
        for (HWND b : dialog->Buttons()) ExpectTextFits(b, false);
        ExpectTextFits(dialog->Message(), true);
        LOGFONTA font{};
        ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageW(form.edSearch(), WM_GETFONT, 0, 0)), sizeof font, &font);
        const SIZE splashClient = test_support::ClientSize(splash.Handle());
        EXPECT_EQ(V({font.lfHeight, splashClient.cy, splashClient.cx >= S(261)}), V({-S(11), S(43), 1}));
        const HICON browse = reinterpret_cast<HICON>(::SendMessageW(form.edFolderButton(), BM_GETIMAGE, IMAGE_ICON, 0));
        const HICON kind = reinterpret_cast<HICON>(::SendMessageW(dialog->Image(), STM_GETICON, 0, 0));
        EXPECT_EQ(V({form.imgBan().ImageSize().cx, form.imgBan().ImageSize().cy, form.imgWeb().ImageSize().cx,
                     IconSide(kind), form.btnReplace().PictureSize(), form.btnGlobReplace().PictureSize(),
                     IconSide(browse), form.FileListBox().IconSize()}),
                  V({S(600), S(50), S(32), S(32), S(16), S(16), S(16), S(16)}));
        // On the screen the banner (at the client's corner) ends where its picture's width says.
        test_support::SettleWindowManager();
        test_support::ScreenCapture shot(place);
        shot.SaveBmp(test_support::ScreenshotFolder() + "\\main_window_" + std::to_string(dpi) + "dpi.bmp");
        POINT end{S(600), S(48)};
        ::ClientToScreen(form.Handle(), &end);
        const int x = end.x - place.left, y = end.y - place.top;
        EXPECT_EQ(V({shot.At(x - 1, y) != 0xFFFFFF, static_cast<long>(shot.At(x, y))}), V({1, 0xFFFFFF}));
    }
}

}  // namespace
