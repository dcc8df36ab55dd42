#pragma once
// The list's type-ahead prefix: characters typed within 500 ms of each other build it up,
// a longer pause starts it afresh, Backspace takes back the last whole character.
#include <windows.h>

#include <string>

namespace platform {
class CodePage;
}

namespace browse {

class TypeAhead {
public:
    // Adds one typed character (a two-byte character as both its bytes) at tick `now`.
    void Type(const std::string& character, DWORD now, platform::CodePage& codePage);
    const std::string& Prefix() const noexcept { return prefix_; }

private:
    std::string prefix_;
    DWORD last_ = 0;
};

}  // namespace browse
