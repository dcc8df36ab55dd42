#pragma once
// The settings file beside the executable, reached through four accessors. Each one opens its own
// settings object, performs one operation and releases it again, failure or not, so nothing of
// the file is held between two accesses and another program may edit it meanwhile.
#include "platform/file_system.h"
#include "platform/profile_store.h"
#include "settings/ini_file.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace settings {

inline constexpr const char* kSettingsFileName = "Molvatrenquist.ini";

// The executable's folder (not the current directory) followed by `fileName`.
platform::Path SettingsFilePath(const std::string& fileName);
// Whether an entry of that path exists and is no folder.
bool SettingsFileExists(const std::string& fileName, platform::FileSystem& fs = platform::SystemFileSystem());

// How a folder is kept in the ANSI settings file: as it is when the code page holds every
// character of it (an empty text too), else as its short form when that one is held; none when
// neither is, so that the stored value stays rather than being replaced by a mangled one.
std::optional<std::string> StoredFolderText(const platform::Path& folder);

std::unique_ptr<TIniFile> OpenSettingsFile(platform::ProfileStore& store, const std::string& fileName);

// The stored text, empty when there is none.
std::string ReadSetting(platform::ProfileStore& store, const std::string& fileName, const std::string& section,
                        const std::string& key);
// The stored integer, 0 when there is none or the text is no integer.
std::int32_t ReadSettingInt(platform::ProfileStore& store, const std::string& fileName, const std::string& section,
                            const std::string& key);
void WriteSetting(platform::ProfileStore& store, const std::string& fileName, const std::string& section,
                  const std::string& key, const std::string& value);
void WriteSettingInt(platform::ProfileStore& store, const std::string& fileName, const std::string& section,
                     const std::string& key, std::int32_t value);

}  // namespace settings
