#pragma once
// The order of the platform's sorted list box: alphabetical in the user's locale, letter case
// ignored. Byte-wise comparison of two keys gives that order without a call per comparison.
#include <string>

namespace browse {

std::string ListSortKey(const std::wstring& text);

}  // namespace browse
