#include "app/file_type_masks.h"
#include "app/main_form.h"
#include "settings/settings_file.h"

namespace app {

void TForm1::cbFileTypeChange() {
    // An index that names no entry leaves the mask alone. A vanished folder fails the re-read
    // here, and the viewer and status bar stay as they were.
    const std::wstring mask = MaskForIndex(FileTypeIndex());
    if (!mask.empty()) FileListBox().Listing().SetMask(mask);
    if (settings::SettingsFileExists(settings::kSettingsFileName)) memHTML().Clear();
    SetStatusText(L"");
}

}  // namespace app
