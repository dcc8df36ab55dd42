#pragma once
// The list's type-ahead prefix: characters typed within 500 ms of each other build it up,
// a longer pause starts it afresh, Backspace takes back the last whole character.
#include <windows.h>

#include <string>

namespace browse {

class TypeAhead {
public:
    // Adds one typed UTF-16 unit at tick `now`.
    void Type(wchar_t character, DWORD now);
    const std::wstring& Prefix() const noexcept { return prefix_; }

private:
    std::wstring prefix_;
    DWORD last_ = 0;
};

}  // namespace browse
