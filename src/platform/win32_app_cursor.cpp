#include "platform/app_cursor.h"

namespace platform {

namespace {

class Win32AppCursor final : public AppCursor {
public:
    HCURSOR Current() override { return ::GetCursor(); }
    void Set(HCURSOR cursor) override { ::SetCursor(cursor); }
    HCURSOR Wait() override { return ::LoadCursorA(nullptr, IDC_WAIT); }
};

}  // namespace

AppCursor& SystemAppCursor() {
    static Win32AppCursor instance;
    return instance;
}

}  // namespace platform
