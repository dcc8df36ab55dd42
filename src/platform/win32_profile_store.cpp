#include "platform/ansi_text.h"
#include "platform/profile_store.h"

#include <cstring>

namespace platform {

namespace {

// The wide functions, for the file's path; the file itself stays in the ANSI code page, which
// they keep (a new file too), so the texts cross to UTF-16 and back unchanged.
std::wstring Wide(const char* text) { return text ? WideFromAnsi(text) : std::wstring(); }
const wchar_t* OrNull(const char* text, const std::wstring& wide) { return text ? wide.c_str() : nullptr; }

class Win32ProfileStore final : public ProfileStore {
public:
    DWORD GetString(const char* section, const char* key, const char* defaultValue, char* buffer, DWORD size,
                    const Path& path) override {
        if (size == 0) return 0;
        const std::wstring wideSection = Wide(section), wideKey = Wide(key), wideDefault = Wide(defaultValue);
        std::wstring value(size, L'\0');
        DWORD n = ::GetPrivateProfileStringW(OrNull(section, wideSection), OrNull(key, wideKey),
                                             OrNull(defaultValue, wideDefault), value.data(), size, path.c_str());
        value.resize(n);
        const std::string ansi = AnsiFromWide(value);
        const size_t copied = ansi.size() < size ? ansi.size() : size - 1;
        std::memcpy(buffer, ansi.data(), copied);
        buffer[copied] = '\0';
        return static_cast<DWORD>(copied);
    }
    bool WriteString(const char* section, const char* key, const char* value, const Path& path) override {
        const std::wstring wideSection = Wide(section), wideKey = Wide(key), wideValue = Wide(value);
        return ::WritePrivateProfileStringW(OrNull(section, wideSection), OrNull(key, wideKey),
                                            OrNull(value, wideValue), path.c_str()) != FALSE;
    }
};

}  // namespace

ProfileStore& SystemProfileStore() {
    static Win32ProfileStore store;
    return store;
}

}  // namespace platform
