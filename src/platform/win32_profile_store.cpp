#include "platform/profile_store.h"

namespace platform {

namespace {

class Win32ProfileStore final : public ProfileStore {
public:
    DWORD GetString(const char* section, const char* key, const char* defaultValue, char* buffer, DWORD size,
                    const char* path) override {
        return ::GetPrivateProfileStringA(section, key, defaultValue, buffer, size, path);
    }
    bool WriteString(const char* section, const char* key, const char* value, const char* path) override {
        return ::WritePrivateProfileStringA(section, key, value, path) != FALSE;
    }
};

}  // namespace

ProfileStore& SystemProfileStore() {
    static Win32ProfileStore store;
    return store;
}

}  // namespace platform
