#include "app/main_form_layout.h"

#include <gtest/gtest.h>

namespace {

using app::Ctl;
using app::ComputeMainLayout;

// Places as the form describes them: left, top, width, height.
struct Place {
    LONG x, y, w, h;
};

void ExpectPlace(const RECT& r, Place p, const char* what) {
    EXPECT_EQ(r.left, p.x) << what;
    EXPECT_EQ(r.top, p.y) << what;
    EXPECT_EQ(r.right - r.left, p.w) << what;
    EXPECT_EQ(r.bottom - r.top, p.h) << what;
}

TEST(MainLayout, StartingClientAt96DpiPutsEveryControlWhereTheFormSays) {
    auto layout = ComputeMainLayout(SIZE{632, 496}, 180, 96);
    ExpectPlace(layout[Ctl::imgBan], {0, 0, 632, 50}, "imgBan");
    ExpectPlace(layout[Ctl::imgWeb], {590, 8, 32, 32}, "imgWeb");
    ExpectPlace(layout[Ctl::Panel1], {0, 50, 632, 119}, "Panel1");
    ExpectPlace(layout[Ctl::cbFileType], {80, 9, 120, 21}, "cbFileType");
    ExpectPlace(layout[Ctl::cbWarn], {205, 11, 59, 17}, "cbWarn");
    ExpectPlace(layout[Ctl::cbSaveSearch], {265, 11, 81, 17}, "cbSaveSearch");
    ExpectPlace(layout[Ctl::cbWordWrap], {349, 11, 75, 17}, "cbWordWrap");
    ExpectPlace(layout[Ctl::btnReplace], {427, 6, 97, 25}, "btnReplace");
    ExpectPlace(layout[Ctl::btnGlobReplace], {525, 6, 97, 25}, "btnGlobReplace");
    ExpectPlace(layout[Ctl::edSearch], {80, 35, 542, 21}, "edSearch");
    ExpectPlace(layout[Ctl::edReplace], {80, 62, 542, 21}, "edReplace");
    ExpectPlace(layout[Ctl::edFolder], {80, 89, 542, 21}, "edFolder");
    ExpectPlace(layout[Ctl::FileListBox], {0, 169, 180, 305}, "FileListBox");
    ExpectPlace(layout[Ctl::Splitter1], {180, 169, 3, 305}, "Splitter1");
    ExpectPlace(layout[Ctl::memHTML], {183, 169, 449, 305}, "memHTML");
    ExpectPlace(layout[Ctl::StatBar], {0, 474, 632, 22}, "StatBar");
    // Labels are placed by their top-left corner; their size is their text's.
    const std::pair<Ctl, POINT> labels[] = {
        {Ctl::Label4, {31, 13}}, {Ctl::Label1, {22, 39}}, {Ctl::Label2, {11, 66}}, {Ctl::Label3, {12, 93}}};
    for (auto [label, at] : labels) {
        EXPECT_EQ(layout[label].left, at.x);
        EXPECT_EQ(layout[label].top, at.y);
    }
}

TEST(MainLayout, WideningStretchesTheEditsAndCarriesTheRightAnchoredControls) {
    auto start = ComputeMainLayout(SIZE{632, 496}, 180, 96);
    auto wide = ComputeMainLayout(SIZE{900, 496}, 180, 96);
    for (Ctl edit : {Ctl::edSearch, Ctl::edReplace, Ctl::edFolder}) {
        EXPECT_EQ(wide[edit].left, 80);
        EXPECT_EQ(wide[edit].right, 890);  // ten pixels from the right edge, as at the start
    }
    ExpectPlace(wide[Ctl::btnReplace], {695, 6, 97, 25}, "btnReplace");
    ExpectPlace(wide[Ctl::btnGlobReplace], {793, 6, 97, 25}, "btnGlobReplace");
    ExpectPlace(wide[Ctl::imgWeb], {858, 8, 32, 32}, "imgWeb");
    ExpectPlace(wide[Ctl::imgBan], {0, 0, 900, 50}, "imgBan");
    ExpectPlace(wide[Ctl::Panel1], {0, 50, 900, 119}, "Panel1");
    ExpectPlace(wide[Ctl::memHTML], {183, 169, 717, 305}, "memHTML");
    ExpectPlace(wide[Ctl::StatBar], {0, 474, 900, 22}, "StatBar");
    // The list keeps its width; the left-anchored controls stay.
    for (Ctl fixed : {Ctl::FileListBox, Ctl::Splitter1, Ctl::cbFileType, Ctl::cbWarn, Ctl::cbSaveSearch,
                      Ctl::cbWordWrap, Ctl::Label4, Ctl::Label1, Ctl::Label2, Ctl::Label3}) {
        EXPECT_EQ(wide[fixed].left, start[fixed].left) << static_cast<int>(fixed);
        EXPECT_EQ(wide[fixed].right, start[fixed].right) << static_cast<int>(fixed);
    }
}

TEST(MainLayout, HeighteningGivesTheHeightToTheListAndTheViewer) {
    auto tall = ComputeMainLayout(SIZE{632, 700}, 180, 96);
    ExpectPlace(tall[Ctl::FileListBox], {0, 169, 180, 509}, "FileListBox");
    ExpectPlace(tall[Ctl::Splitter1], {180, 169, 3, 509}, "Splitter1");
    ExpectPlace(tall[Ctl::memHTML], {183, 169, 449, 509}, "memHTML");
    ExpectPlace(tall[Ctl::StatBar], {0, 678, 632, 22}, "StatBar");
    // The inputs do not move down.
    ExpectPlace(tall[Ctl::Panel1], {0, 50, 632, 119}, "Panel1");
    ExpectPlace(tall[Ctl::edFolder], {80, 89, 542, 21}, "edFolder");
    ExpectPlace(tall[Ctl::btnGlobReplace], {525, 6, 97, 25}, "btnGlobReplace");
}

TEST(MainLayout, At144DpiEveryPlaceIsScaledOnceAndTheAnchorsStillHold) {
    // 632 x 496 at 96 dpi is 948 x 744 at 144 dpi.
    auto layout = ComputeMainLayout(SIZE{948, 744}, 270, 144);
    ExpectPlace(layout[Ctl::imgBan], {0, 0, 948, 75}, "imgBan");
    ExpectPlace(layout[Ctl::imgWeb], {885, 12, 48, 48}, "imgWeb");
    ExpectPlace(layout[Ctl::Panel1], {0, 75, 948, 179}, "Panel1");  // 178.5 rounds up
    ExpectPlace(layout[Ctl::edSearch], {120, 53, 813, 31}, "edSearch");
    ExpectPlace(layout[Ctl::btnGlobReplace], {788, 9, 145, 38}, "btnGlobReplace");
    ExpectPlace(layout[Ctl::FileListBox], {0, 254, 270, 457}, "FileListBox");
    ExpectPlace(layout[Ctl::Splitter1], {270, 254, 5, 457}, "Splitter1");  // 4.5 rounds up
    ExpectPlace(layout[Ctl::memHTML], {275, 254, 673, 457}, "memHTML");
    ExpectPlace(layout[Ctl::StatBar], {0, 711, 948, 33}, "StatBar");

    auto wide = ComputeMainLayout(SIZE{1248, 744}, 270, 144);
    EXPECT_EQ(wide[Ctl::edSearch].right, 1233);
    EXPECT_EQ(wide[Ctl::btnGlobReplace].right, 1233);
    EXPECT_EQ(wide[Ctl::imgWeb].left, 1185);
    EXPECT_EQ(wide[Ctl::cbWordWrap].left, layout[Ctl::cbWordWrap].left);
}

TEST(MainLayout, TheListWidthIsKeptWithinItsLimits) {
    EXPECT_EQ(app::ClampListWidth(180, 96), 180);
    EXPECT_EQ(app::ClampListWidth(50, 96), 50);
    EXPECT_EQ(app::ClampListWidth(49, 96), 50);
    EXPECT_EQ(app::ClampListWidth(-20, 96), 50);
    EXPECT_EQ(app::ClampListWidth(250, 96), 250);
    EXPECT_EQ(app::ClampListWidth(251, 96), 250);
    EXPECT_EQ(app::ClampListWidth(74, 144), 75);
    EXPECT_EQ(app::ClampListWidth(376, 144), 375);

    auto layout = ComputeMainLayout(SIZE{632, 496}, 400, 96);
    EXPECT_EQ(layout[Ctl::FileListBox].right, 250);
    EXPECT_EQ(layout[Ctl::memHTML].left, 253);
    layout = ComputeMainLayout(SIZE{632, 496}, 10, 96);
    EXPECT_EQ(layout[Ctl::FileListBox].right, 50);
}

TEST(MainLayout, AClientTooShortForTheMiddleNeverGivesANegativeHeight) {
    // A minimised window reports an empty client area.
    auto layout = ComputeMainLayout(SIZE{0, 0}, 180, 96);
    for (Ctl c : {Ctl::FileListBox, Ctl::Splitter1, Ctl::memHTML, Ctl::StatBar}) {
        EXPECT_GE(layout[c].bottom, layout[c].top) << static_cast<int>(c);
        EXPECT_GE(layout[c].right, layout[c].left) << static_cast<int>(c);
    }
}

}  // namespace
