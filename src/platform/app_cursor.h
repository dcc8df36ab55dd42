#pragma once
// The application-wide screen cursor, which a long listing turns into the hourglass.
#include <windows.h>

namespace platform {

class AppCursor {
public:
    virtual ~AppCursor() = default;
    virtual HCURSOR Current() = 0;
    virtual void Set(HCURSOR cursor) = 0;
    virtual HCURSOR Wait() = 0;
};

// The window manager's cursor through GetCursor, SetCursor and the system's wait cursor.
AppCursor& SystemAppCursor();

}  // namespace platform
