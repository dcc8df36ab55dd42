#include "support/main_form_places.h"

#include "support/window_driving.h"

#include <gtest/gtest.h>

namespace test_support {

void ExpectPlacedAsComputed(app::TForm1& form) {
    using app::Ctl;
    const app::MainLayout layout = app::ComputeMainLayout(ClientSize(form.Handle()), form.ListWidth(), form.Dpi());
    for (int i = 0; i < static_cast<int>(Ctl::Count); ++i) {
        const Ctl c = static_cast<Ctl>(i);
        const RECT& e = layout[c];
        const HWND window = form.Control(c);
        const RECT r = window ? RectInParent(window)
                       : c == Ctl::btnReplace ? form.btnReplace().Place()
                                              : form.btnGlobReplace().Place();
        const std::string what = "control " + std::to_string(i) + (window ? " " + WindowClass(window) : "");
        EXPECT_EQ(r.left, e.left) << what;
        EXPECT_EQ(r.top, e.top) << what;
        if (app::IsLabel(c)) continue;
        EXPECT_EQ(r.right, e.right) << what;
        if (c != Ctl::cbFileType) EXPECT_EQ(r.bottom, e.bottom) << what;
    }
}

}  // namespace test_support
