#include "browse/list_collation.h"

#include <windows.h>


namespace browse {

std::string ListSortKey(const std::wstring& text) {
    // A sorted list box compares its entries with CompareStringW in the user's locale, letter
    // case ignored; a sort key of the same text orders exactly as that comparison does.
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const LCID locale = ::GetUserDefaultLCID();
    const wchar_t* wide = text.c_str();
    const int length = static_cast<int>(text.size());
    std::string key(text.size() * 8 + 16, '\0');
    int n = ::LCMapStringW(locale, kFlags, wide, length, reinterpret_cast<LPWSTR>(key.data()),
                           static_cast<int>(key.size()));
    if (n == 0) {
        key.resize(static_cast<size_t>(::LCMapStringW(locale, kFlags, wide, length, nullptr, 0)));
        n = ::LCMapStringW(locale, kFlags, wide, length, reinterpret_cast<LPWSTR>(key.data()),
                           static_cast<int>(key.size()));
    }
    key.resize(static_cast<size_t>(n));
    return key;
}

}  // namespace browse
