#include "app/pictures.h"

#include "resource_ids.h"
#include "widgets/dpi.h"

#include <commctrl.h>

namespace app {

namespace {

constexpr int kGlyphSize = 16;

int DrawingFor(int id, int dpi) {
    return dpi <= widgets::kDesignDpi ? id : dpi <= 144 ? id + IDB_AT_150 : id + IDB_AT_200;
}

}  // namespace

platform::UniqueHBitmap LoadPicture(int id, SIZE design, int dpi) {
    return platform::UniqueHBitmap{static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(DrawingFor(id, dpi)), IMAGE_BITMAP,
                     widgets::Scale(design.cx, dpi), widgets::Scale(design.cy, dpi), LR_CREATEDIBSECTION))};
}

platform::UniqueHIcon LoadGlyph(int id, int dpi) {
    const int size = widgets::Scale(kGlyphSize, dpi);
    platform::UniqueImageList list{::ImageList_Create(size, size, ILC_MASK | ILC_COLOR32, 1, 0)};
    if (!list) return {};
    platform::UniqueHBitmap picture = LoadPicture(id, SIZE{kGlyphSize, kGlyphSize}, dpi);
    platform::UniqueHIcon icon;
    if (picture && ::ImageList_AddMasked(list.get(), picture.get(), RGB(255, 0, 255)) == 0)
        icon.reset(::ImageList_GetIcon(list.get(), 0, ILD_TRANSPARENT));
    return icon;
}

platform::UniqueHIcon LoadIconAt(int id, int design, int dpi) {
    const int size = widgets::Scale(design, dpi);
    return platform::UniqueHIcon{static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0))};
}

}  // namespace app
