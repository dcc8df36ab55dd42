#pragma once
// A hidden folder of a run's own inside the folder it rewrites, where new contents are written
// before each is renamed over its file. Making a file whose name is not yet taken costs Wine a
// look through the whole folder for the name in another case, some 0.27 ms for each thousand
// files there; in a folder of its own that look is short. The rename stays one step on the same
// volume. The folder is removed again once empty; where it cannot be made, new files go beside
// their targets.
#include "platform/file_system.h"

namespace replace {

class WorkFolder {
public:
    WorkFolder(platform::FileSystem& fs, const platform::Path& folder);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // Where new files go: the run's own folder, or `folder` itself.
    const platform::Path& Path() const { return path_; }

private:
    platform::FileSystem& fs_;
    platform::Path path_;
    bool made_ = false;
};

}  // namespace replace
