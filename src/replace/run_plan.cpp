#include "replace/run_plan.h"

namespace replace {

RunPlan::RunPlan(std::string directory, std::vector<std::string> names)
    : directory_(std::move(directory)), names_(std::move(names)) {}

std::string RunPlan::PathOf(size_t index) const { return directory_ + "\\" + names_[index]; }

bool RunPlan::StillListed(size_t index, const std::string& directory, int count,
                          const std::function<std::string(int)>& entryAt) const {
    if (directory != directory_ || static_cast<size_t>(count) <= index) return false;
    return entryAt(static_cast<int>(index)) == names_[index];
}

}  // namespace replace
