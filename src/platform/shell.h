#pragma once
// The shell service: opening a document or address with its associated program.
#include <windows.h>

#include <string>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    // ShellExecuteA with the verb "open", no parameters, no working folder; the result is the
    // shell's own, which the program's callers ignore.
    virtual void Open(HWND owner, const std::string& file) = 0;
    // The icon the shell associates with a file; null when there is none.
    virtual HICON AssociatedIcon(const std::string& path) = 0;
};

Shell& SystemShell();

}  // namespace platform
