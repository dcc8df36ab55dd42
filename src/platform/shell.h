#pragma once
// The shell service: opening a document or address with its associated program.
#include "platform/path.h"

#include <windows.h>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    // ShellExecute with the verb "open", no parameters, no working folder; the result is the
    // shell's own, which the program's callers ignore.
    virtual void Open(HWND owner, const Path& file) = 0;
    // The icon the shell associates with a file; null when there is none.
    virtual HICON AssociatedIcon(const Path& path) = 0;
};

Shell& SystemShell();

}  // namespace platform
