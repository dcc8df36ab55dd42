#pragma once
// The files a Replace All run was confirmed for: the listed folder and the entries' names as
// they were when the run began. Whatever the list shows later, the run rewrites these files and
// no others.
#include "platform/path.h"

#include <string>
#include <vector>

namespace replace {

class RunPlan {
public:
    RunPlan(platform::Path directory, std::vector<std::wstring> names);

    size_t Count() const noexcept { return names_.size(); }
    // The folder, one backslash and the entry's name. The backslash is always put in, also after
    // a drive root's, which the file system accepts.
    platform::Path PathOf(size_t index) const;
    const platform::Path& Directory() const noexcept { return directory_; }
    const std::wstring& Name(size_t index) const { return names_[index]; }

private:
    platform::Path directory_;
    std::vector<std::wstring> names_;
};

}  // namespace replace
