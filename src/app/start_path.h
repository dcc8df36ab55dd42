#pragma once
// The folder, or file, that the program is started on: Explorer's folder menu, a desktop's
// "Open With" and a command prompt name it after the program's own name.
#include "platform/path.h"

#include <string>
#include <vector>

namespace app {

// The name in `arguments` (the program's own name first, as the system splits its command line),
// as the listing takes it; empty when none follows. Made absolute by the caller, against the
// folder the program was started in.
platform::Path StartPath(const std::vector<std::wstring>& arguments);

}  // namespace app
