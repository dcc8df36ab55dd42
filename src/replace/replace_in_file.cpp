#include "replace/replace_in_file.h"

#include "platform/errors.h"
#include "replace/replace_all_ignoring_case.h"
#include "replace/temporary_file.h"

#include <new>

namespace replace {

namespace {

using platform::FileSystem;
using platform::UniqueFile;
namespace errors = platform::errors;

// Text lengths are signed 32-bit counts.
constexpr LONGLONG kMaxLength = 0x7FFFFFFF;

std::string ReadWholeFile(FileSystem& fs, const platform::Path& path) {
    UniqueFile file = fs.CreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL);
    if (!file) throw errors::CannotOpenFile(path, ::GetLastError());
    LONGLONG size = 0;
    if (!fs.SetFilePointer(file.get(), 0, FILE_END, &size) || !fs.SetFilePointer(file.get(), 0, FILE_BEGIN, nullptr))
        throw errors::StreamRead();
    if (size > kMaxLength) throw errors::OutOfMemory();

    std::string contents(static_cast<size_t>(size), '\0');
    for (size_t done = 0; done < contents.size();) {
        DWORD read = 0;
        if (!fs.ReadFile(file.get(), contents.data() + done, static_cast<DWORD>(contents.size() - done), &read) ||
            read == 0)
            throw errors::StreamRead();
        done += read;
    }
    return contents;
}

void WriteAll(FileSystem& fs, HANDLE file, const std::string& bytes) {
    if (bytes.empty()) return;
    DWORD written = 0;
    if (!fs.WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written) || written != bytes.size())
        throw errors::StreamWrite();
}

void SetLength(FileSystem& fs, HANDLE file, LONGLONG length) {
    if (!fs.SetFilePointer(file, length, FILE_BEGIN, nullptr) || !fs.SetEndOfFile(file)) throw errors::StreamWrite();
}

// Only where no new file can be made beside it, or where its bytes stay as they were, is a file
// rewritten where it stands. Growing it to its new length first makes a full disk fail before
// any byte changes; a failure in the middle of the write itself can still leave it half written.
void WriteInPlace(FileSystem& fs, HANDLE file, const std::string& bytes, bool flush) {
    LONGLONG oldLength = 0;
    if (!fs.SetFilePointer(file, 0, FILE_END, &oldLength)) throw errors::StreamWrite();
    const auto newLength = static_cast<LONGLONG>(bytes.size());
    if (newLength > oldLength) SetLength(fs, file, newLength);
    if (!fs.SetFilePointer(file, 0, FILE_BEGIN, nullptr)) throw errors::StreamWrite();
    WriteAll(fs, file, bytes);
    SetLength(fs, file, newLength);
    if (flush && !fs.FlushFileBuffers(file)) throw errors::StreamWrite();
}

// Writes the new contents to a file beside the target and swaps it in, so that a failure at
// any step leaves the target as it was.
void Store(FileSystem& fs, const platform::Path& path, const std::string& bytes, bool unchanged) {
    // Windows refuses to open a read-only file for writing; a host that lets it through (Wine run
    // by root) must not get to replace it either.
    DWORD attributes = fs.GetFileAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        throw errors::CannotCreateFile(path, ERROR_ACCESS_DENIED);
    // The open that a rewrite in place needs, but without cutting: a file that is refused to us
    // or held by another fails here, before anything changes. Like a creating open it makes
    // again a file that vanished since it was read.
    UniqueFile target = fs.CreateFile(path, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    if (!target) throw errors::CannotCreateFile(path, ::GetLastError());
    // Writing the same bytes again cannot lose any of them, however it ends: no file beside it,
    // no flush to disk.
    if (unchanged) {
        WriteInPlace(fs, target.get(), bytes, false);
        return;
    }

    TemporaryFile temporary(fs, path);
    if (!temporary.Created()) {
        WriteInPlace(fs, target.get(), bytes, true);
        return;
    }
    target.reset();  // the swap needs the target unopened

    WriteAll(fs, temporary.Handle(), bytes);
    if (!fs.FlushFileBuffers(temporary.Handle())) throw errors::StreamWrite();
    temporary.Close();
    if (!fs.ReplaceFile(path, temporary.Path())) throw errors::CannotCreateFile(path, ::GetLastError());
    temporary.Release();
}

}  // namespace

void ReplaceInFile(const platform::Path& path, const std::string& search, const std::string& replacement,
                   FileSystem& fs, platform::CodePage& codePage, const AfterWrite& afterWrite) {
    try {
        const std::string contents = ReadWholeFile(fs, path);
        std::string result = ReplaceAllIgnoringCase(contents, search, replacement, codePage);
        if (static_cast<LONGLONG>(result.size()) > kMaxLength) throw errors::OutOfMemory();
        Store(fs, path, result, result == contents);
    } catch (const std::bad_alloc&) {
        throw errors::OutOfMemory();
    }
    if (afterWrite) afterWrite();
}

void ReplaceInFile(const platform::Path& path, const std::string& search, const std::string& replacement,
                   const AfterWrite& afterWrite) {
    ReplaceInFile(path, search, replacement, platform::SystemFileSystem(), platform::SystemCodePage(), afterWrite);
}

}  // namespace replace
