#include "settings/ini_file.h"

#include "platform/errors.h"
#include "settings/ini_integer.h"

namespace settings {

namespace {

constexpr DWORD kReadBufferSize = 2048;

}  // namespace

std::int32_t TCustomIniFile::ReadInteger(const std::string& section, const std::string& key,
                                         std::int32_t defaultValue) {
    return ParseIniInteger(ReadString(section, key, ""), defaultValue);
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

TIniFile::~TIniFile() { store_.WriteString(nullptr, nullptr, nullptr, FileName()); }

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) {
    char buffer[kReadBufferSize] = {};
    DWORD count = store_.GetString(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, kReadBufferSize,
                                   FileName());
    // The platform never reports more than it can copy; a store that did must not read past the buffer.
    return std::string(buffer, count < kReadBufferSize ? count : kReadBufferSize - 1);
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    if (!store_.WriteString(section.c_str(), key.c_str(), value.c_str(), FileName()))
        throw platform::errors::UnableToWrite(FileName());
}

}  // namespace settings
