#include "replace/run_plan.h"

namespace replace {

RunPlan::RunPlan(platform::Path directory, std::vector<std::wstring> names)
    : directory_(std::move(directory)), names_(std::move(names)) {}

platform::Path RunPlan::PathOf(size_t index) const { return platform::Path(directory_.Text() + L"\\" + names_[index]); }

}  // namespace replace
