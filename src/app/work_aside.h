#pragma once
// A step that no message can slice (writing a large file, then waiting until the disk holds it)
// runs on a thread of its own while the window thread goes on handling messages.
#include <functional>

namespace app {

// Runs `work` aside and pumps the window's messages until it has ended; what it throws is thrown
// here. `work` touches no window; the command that calls this keeps other commands out meanwhile.
void WorkAside(const std::function<void()>& work);

}  // namespace app
