#include "platform/path_parts.h"

namespace platform {

namespace {

size_t FileNameStart(const std::string& path, CodePage& codePage) {
    const size_t separator = LastDelimiter(path, "\\/:", codePage);
    return separator == std::string::npos ? 0 : separator + 1;
}

}  // namespace

std::string FolderOf(const std::string& path, CodePage& codePage) {
    return path.substr(0, FileNameStart(path, codePage));
}

std::string FileNameOf(const std::string& path, CodePage& codePage) {
    return path.substr(FileNameStart(path, codePage));
}

}  // namespace platform
