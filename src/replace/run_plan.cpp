#include "replace/run_plan.h"

namespace replace {

RunPlan::RunPlan(platform::Path directory, std::vector<std::wstring> names)
    : directory_(std::move(directory)), names_(std::move(names)) {}

platform::Path RunPlan::PathOf(size_t index) const { return platform::Path(directory_.Text() + L"\\" + names_[index]); }

bool RunPlan::StillListed(size_t index, const platform::Path& directory, int count,
                          const std::function<std::wstring(int)>& entryAt) const {
    if (directory != directory_ || static_cast<size_t>(count) <= index) return false;
    return entryAt(static_cast<int>(index)) == names_[index];
}

}  // namespace replace
