#include "replace/held_file.h"

#include "platform/errors.h"

namespace replace {

namespace errors = platform::errors;

HeldFile HoldFile(platform::FileSystem& fs, const platform::Path& path) {
    HeldFile held{fs.CreateFile(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL)};
    if (!held.handle) {
        // Which refusal it was decides the report.
        const DWORD writeError = ::GetLastError();
        const platform::UniqueFile reader = fs.CreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
        if (!reader) throw errors::CannotOpenFile(path, ::GetLastError());
        throw errors::CannotCreateFile(path, writeError);
    }
    if (!fs.GetFileInformation(held.handle.get(), &held.information) || !fs.GetFileIndex(held.handle.get(), &held.index))
        throw errors::StreamRead();
    // Windows refuses to open a read-only file for writing; a host that lets it through (Wine run
    // by root) must not get to replace it either.
    if (held.information.attributes & FILE_ATTRIBUTE_READONLY)
        throw errors::CannotCreateFile(path, ERROR_ACCESS_DENIED);
    return held;
}

}  // namespace replace
