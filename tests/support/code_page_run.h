#pragma once
// The ANSI code page a test run is meant to have. The replace tests run twice: in Wine's default
// Windows-1252, and once more in a Japanese locale (code page 932) whose wrapper says so in
// ZAVOTEK_CODE_PAGE, so that a run which fell back to 1252 fails instead of passing unseen.
#include <cstdlib>

namespace test_support {

inline unsigned ExpectedCodePage() {
    const char* value = std::getenv("ZAVOTEK_CODE_PAGE");
    return value && *value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : 1252u;
}

}  // namespace test_support
