#include "app/private_state.h"

#include "platform/user_folders.h"

namespace app {

platform::Path PrivateStateFolder(platform::FileSystem& fs) {
    const platform::Path local = platform::LocalAppDataFolder();
    if (local.empty()) return {};
    const platform::Path folder = local.Join(L"Zavotek Search Replace");
    fs.CreatePrivateFolder(folder);
    return folder;
}

platform::Path JournalFolderIn(const platform::Path& stateFolder) { return stateFolder.Join(L"Journal"); }

platform::Path UndoFolderIn(const platform::Path& stateFolder) { return stateFolder.Join(L"Undo"); }

}  // namespace app
