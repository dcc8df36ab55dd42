#pragma once
// A shell that opens nothing and keeps the requests it was given.
#include "platform/shell.h"

#include <string>
#include <vector>

namespace test_support {

class RecordingShell : public platform::Shell {
public:
    struct Request {
        HWND owner;
        platform::Path file;
    };
    std::vector<Request> opened;

    void Open(HWND owner, const platform::Path& file) override { opened.push_back({owner, file}); }
    HICON AssociatedIcon(const platform::Path&) override { return nullptr; }
};

}  // namespace test_support
