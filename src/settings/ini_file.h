#pragma once
// The settings file object: a full path and the private-profile calls on it. It keeps no handle
// and no copy of the contents; every operation goes to the file afresh.
#include "platform/profile_store.h"

#include <cstdint>
#include <string>

namespace settings {

class TCustomIniFile {
public:
    explicit TCustomIniFile(platform::Path fileName) : fileName_(std::move(fileName)) {}
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;
    virtual ~TCustomIniFile() = default;

    const platform::Path& FileName() const noexcept { return fileName_; }

    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) = 0;
    virtual void WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
    // The stored text read as an integer (see ParseIniInteger); `defaultValue` when it is none.
    virtual std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue);
    // Writes the value's plain decimal text.
    virtual void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);

private:
    platform::Path fileName_;
};

class TIniFile final : public TCustomIniFile {
public:
    TIniFile(platform::Path fileName, platform::ProfileStore& store) : TCustomIniFile(std::move(fileName)), store_(store) {}
    // Asks the platform to flush its cached copy of the file.
    ~TIniFile() override;

    // At most 2047 characters of the value; the default when the file, section or key is missing.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) override;
    // Raises EIniFileException when the platform reports failure.
    void WriteString(const std::string& section, const std::string& key, const std::string& value) override;

private:
    platform::ProfileStore& store_;
};

}  // namespace settings
