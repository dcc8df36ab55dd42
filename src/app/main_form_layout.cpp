#include "app/main_form_layout.h"

#include "widgets/anchors.h"
#include "widgets/dpi.h"

#include <algorithm>

namespace app {

namespace {

using namespace widgets;

// The controls inside the banner and the panel, relative to their parent.
constexpr ControlPlace kChildren[] = {
    {Ctl::imgWeb, {590, 8, 622, 40}, kAnchorTopRight},
    {Ctl::Label4, {31, 13, 79, 26}, kAnchorTopLeft},
    {Ctl::cbFileType, {80, 9, 200, 30}, kAnchorTopLeft},
    {Ctl::cbWarn, {205, 11, 264, 28}, kAnchorTopLeft},
    {Ctl::cbSaveSearch, {265, 11, 346, 28}, kAnchorTopLeft},
    {Ctl::cbWordWrap, {349, 11, 424, 28}, kAnchorTopLeft},
    {Ctl::btnReplace, {427, 6, 524, 31}, kAnchorTopRight},
    {Ctl::btnGlobReplace, {525, 6, 622, 31}, kAnchorTopRight},
    {Ctl::Label1, {22, 39, 79, 52}, kAnchorTopLeft},
    {Ctl::edSearch, {80, 35, 622, 56}, kAnchorTopLeftRight},
    {Ctl::Label2, {11, 66, 79, 79}, kAnchorTopLeft},
    {Ctl::edReplace, {80, 62, 622, 83}, kAnchorTopLeftRight},
    {Ctl::Label3, {12, 93, 79, 106}, kAnchorTopLeft},
    {Ctl::edFolder, {80, 89, 622, 110}, kAnchorTopLeftRight},
};

}  // namespace

int ClampListWidth(int listWidth, int dpi) {
    return std::clamp(listWidth, Scale(kListMinWidth, dpi), Scale(kListMaxWidth, dpi));
}

MainLayout ComputeMainLayout(SIZE client, int listWidth, int dpi) {
    MainLayout layout{};
    auto set = [&](Ctl c, RECT r) { layout.place[static_cast<int>(c)] = r; };
    const LONG w = client.cx, h = client.cy;
    const int banner = Scale(kBannerHeight, dpi), panel = Scale(kPanelHeight, dpi);
    const int status = Scale(kStatusHeight, dpi), splitter = Scale(kSplitterWidth, dpi);
    const int list = ClampListWidth(listWidth, dpi);

    // Top to bottom: banner, panel, the list with the viewer beside it, status bar.
    const LONG middleTop = banner + panel;
    const LONG middleBottom = std::max<LONG>(middleTop, h - status);
    set(Ctl::imgBan, {0, 0, w, banner});
    set(Ctl::Panel1, {0, banner, w, middleTop});
    set(Ctl::FileListBox, {0, middleTop, list, middleBottom});
    set(Ctl::Splitter1, {list, middleTop, list + splitter, middleBottom});
    set(Ctl::memHTML, {list + splitter, middleTop, std::max<LONG>(list + splitter, w), middleBottom});
    set(Ctl::StatBar, {0, middleBottom, w, middleBottom + status});

    // Children keep their distances to the anchored edges of a parent as wide as the window.
    const SIZE designParent{Scale(kDesignClient.cx, dpi), Scale(kDesignClient.cy, dpi)};
    const SIZE parent{w, h};
    for (const ControlPlace& child : kChildren) {
        set(child.control, AnchoredRect(ScaleRect(child.design, dpi), designParent, parent, child.anchors));
    }
    return layout;
}

}  // namespace app
