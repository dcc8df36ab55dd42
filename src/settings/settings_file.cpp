#include "settings/settings_file.h"

#include "platform/module_path.h"

namespace settings {

platform::Path SettingsFilePath(const std::string& fileName) {
    return platform::ExecutableFolder().Join(platform::Path::FromAnsi(fileName).Text());
}

bool SettingsFileExists(const std::string& fileName, platform::FileSystem& fs) {
    return platform::FileExists(fs, SettingsFilePath(fileName));
}

std::optional<std::string> StoredFolderText(const platform::Path& folder) {
    if (auto ansi = folder.AnsiForm()) return ansi;
    const platform::Path shortForm = folder.ShortForm();
    if (shortForm.empty()) return std::nullopt;
    return shortForm.AnsiForm();
}

std::unique_ptr<TIniFile> OpenSettingsFile(platform::ProfileStore& store, const std::string& fileName) {
    return std::make_unique<TIniFile>(SettingsFilePath(fileName), store);
}

std::string ReadSetting(platform::ProfileStore& store, const std::string& fileName, const std::string& section,
                        const std::string& key) {
    return OpenSettingsFile(store, fileName)->ReadString(section, key, "");
}

std::int32_t ReadSettingInt(platform::ProfileStore& store, const std::string& fileName, const std::string& section,
                            const std::string& key) {
    return OpenSettingsFile(store, fileName)->ReadInteger(section, key, 0);
}

void WriteSetting(platform::ProfileStore& store, const std::string& fileName, const std::string& section,
                  const std::string& key, const std::string& value) {
    OpenSettingsFile(store, fileName)->WriteString(section, key, value);
}

void WriteSettingInt(platform::ProfileStore& store, const std::string& fileName, const std::string& section,
                     const std::string& key, std::int32_t value) {
    OpenSettingsFile(store, fileName)->WriteInteger(section, key, value);
}

}  // namespace settings
