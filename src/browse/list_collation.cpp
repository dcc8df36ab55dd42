#include "browse/list_collation.h"

#include <windows.h>

#include <vector>

namespace browse {

std::string ListSortKey(const std::string& text) {
    // The list box keeps its ANSI entries as UTF-16 and compares those with CompareStringW in the
    // user's locale; a sort key of the same text orders exactly as that comparison does.
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const LCID locale = ::GetUserDefaultLCID();
    std::vector<wchar_t> wide(text.size() + 1);
    int length = text.empty() ? 0
                              : ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                      wide.data(), static_cast<int>(wide.size()));
    std::string key(text.size() * 8 + 16, '\0');
    int n = ::LCMapStringW(locale, kFlags, wide.data(), length, reinterpret_cast<LPWSTR>(key.data()),
                           static_cast<int>(key.size()));
    if (n == 0) {
        key.resize(static_cast<size_t>(::LCMapStringW(locale, kFlags, wide.data(), length, nullptr, 0)));
        n = ::LCMapStringW(locale, kFlags, wide.data(), length, reinterpret_cast<LPWSTR>(key.data()),
                           static_cast<int>(key.size()));
    }
    key.resize(static_cast<size_t>(n));
    return key;
}

}  // namespace browse
