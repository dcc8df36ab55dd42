#include "app/still_listed.h"

namespace app {

bool StillListed(const replace::RunPlan& plan, size_t index, const platform::Path& directory, int count,
                 const std::function<std::wstring(int)>& entryAt) {
    if (directory != plan.Directory() || static_cast<size_t>(count) <= index) return false;
    return entryAt(static_cast<int>(index)) == plan.Name(index);
}

}  // namespace app
