#pragma once
// The running program's arguments.
#include <string>
#include <vector>

namespace platform {

// The program's own name first, then each argument, split from the wide command line by the
// system's rules: every name arrives as it is, whatever the code page can hold.
std::vector<std::wstring> CommandLineArguments();

}  // namespace platform
