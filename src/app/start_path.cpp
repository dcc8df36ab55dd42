#include "app/start_path.h"

namespace app {

platform::Path StartPath(const std::vector<std::wstring>& arguments) {
    // A starter that put the name in no quotes hands it over split at its blanks.
    std::wstring name;
    for (size_t i = 1; i < arguments.size(); ++i) name += (i > 1 ? L" " : L"") + arguments[i];
    // A quoted name that ends in a backslash, as "C:\" for a drive, arrives with a quote in the
    // backslash's place: the splitting rules take \" for a quote inside the name. No Windows name
    // holds a quote.
    if (!name.empty() && name.back() == L'"') name.back() = L'\\';
    // The listing works on plain paths and puts the prefix back where a path needs it.
    return platform::Path(std::move(name)).WithoutLongPrefix();
}

}  // namespace app
