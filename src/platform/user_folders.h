#pragma once
// The folders the system keeps for the user who runs the program.
#include "platform/path.h"

namespace platform {

// The user's local application data (FOLDERID_LocalAppData): the place for a program's own state
// on this machine, which Windows keeps to the user. Empty when the system names none.
Path LocalAppDataFolder();

}  // namespace platform
