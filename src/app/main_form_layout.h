#pragma once
// Where the main window's controls go, as a pure function of the client size, the file list's
// width and the screen's dpi. Places are written at 96 dpi.
#include <windows.h>

namespace app {

enum class Ctl {
    imgBan, imgWeb, Panel1,
    Label4, cbFileType, cbWarn, cbSaveSearch, cbWordWrap, btnReplace, btnGlobReplace,
    Label1, edSearch, Label2, edReplace, Label3, edFolder,
    FileListBox, Splitter1, memHTML, StatBar,
    Count
};

// Labels are placed by their top-left corner; their size is their text's.
constexpr bool IsLabel(Ctl c) { return c == Ctl::Label1 || c == Ctl::Label2 || c == Ctl::Label3 || c == Ctl::Label4; }

struct ControlPlace {
    Ctl control;
    RECT design;       // in the parent's client area at 96 dpi, at the window's starting size
    unsigned anchors;  // widgets::Anchor bits
};

// The starting client size at 96 dpi, and the design size of the children's parents.
constexpr SIZE kDesignClient{632, 496};
constexpr int kBannerHeight = 50, kPanelHeight = 119, kStatusHeight = 22, kSplitterWidth = 3;
constexpr int kListWidth = 180, kListMinWidth = 50, kListMaxWidth = 250;
constexpr SIZE kMinimumWindow{640, 530};

struct MainLayout {
    RECT place[static_cast<int>(Ctl::Count)];
    const RECT& operator[](Ctl c) const { return place[static_cast<int>(c)]; }
};

// `listWidth` is in screen pixels; the result is in pixels of each control's parent.
MainLayout ComputeMainLayout(SIZE client, int listWidth, int dpi);

// The file list's width kept within its limits, in screen pixels.
int ClampListWidth(int listWidth, int dpi);

}  // namespace app
