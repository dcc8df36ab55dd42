#pragma once
// Where the program keeps its own state for the user who runs it: a folder of its own under the
// user's local application data, made so that no other user can read or enter it. Nothing of the
// program's ever lies in a folder it lists.
#include "platform/file_system.h"

namespace app {

// The program's private folder, made if it is not there yet; empty when the system names no
// local application data.
platform::Path PrivateStateFolder(platform::FileSystem& fs = platform::SystemFileSystem());
// The folder of the rewrite journals inside it, and that of the last command's undo.
platform::Path JournalFolderIn(const platform::Path& stateFolder);
platform::Path UndoFolderIn(const platform::Path& stateFolder);

}  // namespace app
