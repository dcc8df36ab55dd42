#pragma once
// Whether the file list still shows an entry of a Replace All run where it was: the run moves the
// list's highlight to a file only then, whatever the list has come to show meanwhile.
#include "replace/run_plan.h"

#include <functional>
#include <string>

namespace app {

// Whether a list that now shows `directory` with `count` entries, read by `entryAt`, still has
// the plan's entry at `index`.
bool StillListed(const replace::RunPlan& plan, size_t index, const platform::Path& directory, int count,
                 const std::function<std::wstring(int)>& entryAt);

}  // namespace app
