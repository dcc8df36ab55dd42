#include "app/main_form.h"
#include "browse/file_type_masks.h"
#include "platform/file_system.h"
#include "platform/module_path.h"

namespace app {

namespace {
constexpr const char* kSettingsFileName = "Molvatrenquist.ini";
}

void TForm1::cbFileTypeChange() {
    // An index that names no entry leaves the mask alone. A vanished folder fails the re-read
    // here, and the viewer and status bar stay as they were.
    const std::string mask = browse::MaskForIndex(FileTypeIndex());
    if (!mask.empty()) FileListBox().Listing().SetMask(mask);
    if (platform::FileExists(platform::SystemFileSystem(), platform::ExecutableFolder() + kSettingsFileName))
        memHTML().Clear();
    SetStatusText("");
}

}  // namespace app
