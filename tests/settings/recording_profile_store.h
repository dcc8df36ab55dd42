#pragma once
// A ProfileStore that records every call, passes it on to another store (or, with none, answers
// as for a missing file and accepts writes), and fails the writes of one key when a test asks it to.
#include "platform/profile_store.h"

#include <cstring>
#include <string>
#include <vector>

namespace test_support {

struct ProfileCall {
    std::string what;  // "read Key", "write Key=value" or "flush"
    platform::Path path;
    bool operator==(const ProfileCall&) const = default;
};

class RecordingProfileStore : public platform::ProfileStore {
public:
    explicit RecordingProfileStore(platform::ProfileStore* inner = &platform::SystemProfileStore()) : inner_(inner) {}

    DWORD GetString(const char* section, const char* key, const char* defaultValue, char* buffer, DWORD size,
                    const platform::Path& path) override {
        calls.push_back({std::string("read ") + key, path});
        if (inner_) return inner_->GetString(section, key, defaultValue, buffer, size, path);
        DWORD n = static_cast<DWORD>(std::strlen(defaultValue));
        if (n > size - 1) n = size - 1;
        std::memcpy(buffer, defaultValue, n);
        buffer[n] = '\0';
        return n;
    }
    bool WriteString(const char* section, const char* key, const char* value, const platform::Path& path) override {
        bool flush = !section && !key && !value;
        calls.push_back({flush ? std::string("flush") : std::string("write ") + key + "=" + value, path});
        if (!flush && failingKey == key) return false;
        return inner_ ? inner_->WriteString(section, key, value, path) : true;
    }

    // The calls without their paths.
    std::vector<std::string> What() const {
        std::vector<std::string> what;
        for (const ProfileCall& call : calls) what.push_back(call.what);
        return what;
    }

    std::vector<ProfileCall> calls;
    std::string failingKey;

private:
    platform::ProfileStore* inner_;
};

}  // namespace test_support
