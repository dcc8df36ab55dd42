#include "widgets/form_font.h"

#include "widgets/dpi.h"

namespace widgets {

platform::UniqueHFont CreateFormFont(int dpi) {
    return platform::UniqueHFont{::CreateFontA(-Scale(11, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma")};
}

}  // namespace widgets
