#include "app/main_form.h"

#include "platform/module_path.h"
#include "settings/settings_file.h"

namespace app {

namespace {

constexpr const char* kSection = "Settings";

std::string Read(platform::ProfileStore& store, const char* key) {
    return settings::ReadSetting(store, settings::kSettingsFileName, kSection, key);
}

}  // namespace

void TForm1::FormShow() {
    auto read = [this](const char* key) { return Read(*profiles_, key); };
    browse::FileListing& list = FileListBox().Listing();
    list.ApplyPathText(platform::ExecutableFolder().Text());
    SetFolderText(list.Directory().Text());
    if (settings::SettingsFileExists(settings::kSettingsFileName)) {
        ::SetWindowTextA(edSearch(), read("SearchFor").c_str());
        ::SetWindowTextA(edReplace(), read("ReplaceWith").c_str());
        SetFolderText(platform::Path::FromAnsi(read("LastFolder")).Text());
        // A stored folder that cannot be applied is reported, and the rest is restored all the same:
        // left unset, Save Search and the file type would be written over the stored values at close.
        widgets::Guarded(Handle(), [this] { edFolderChange(); });
    }
    if (read("SaveSearch") == "True") ::SendMessageA(cbSaveSearch(), BM_SETCHECK, BST_CHECKED, 0);
    SetFileTypeIndex(settings::ReadSettingInt(*profiles_, settings::kSettingsFileName, kSection, "FileType"));
    cbFileTypeChange();
}

void TForm1::FormClose() {
    auto write = [this](const char* key, const std::string& value) {
        settings::WriteSetting(*profiles_, settings::kSettingsFileName, kSection, key, value);
    };
    const bool saveSearch = ::SendMessageA(cbSaveSearch(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    write("SearchFor", saveSearch ? SearchText() : std::string());
    write("ReplaceWith", saveSearch ? ReplaceText() : std::string());
    write("SaveSearch", saveSearch ? "True" : "False");
    // A folder the file cannot hold, or none at all, never takes the place of one it holds.
    const std::optional<std::string> folder = settings::StoredFolderText(platform::Path(FolderText()));
    if (folder && (!folder->empty() || Read(*profiles_, "LastFolder").empty())) write("LastFolder", *folder);
    settings::WriteSettingInt(*profiles_, settings::kSettingsFileName, kSection, "FileType", FileTypeIndex());
}

}  // namespace app
