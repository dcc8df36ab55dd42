#include "replace/replace_in_file.h"

#include "platform/errors.h"
#include "replace/replace_all_ignoring_case.h"
#include "replace/temporary_file.h"

#include <new>

namespace replace {

namespace {

using platform::FileSystem;
using platform::Path;
using platform::UniqueFile;
namespace errors = platform::errors;

// Text lengths are signed 32-bit counts.
constexpr LONGLONG kMaxLength = 0x7FFFFFFF;

// The attributes a rename would not carry over and a handle can set; new contents are due for
// backup, whatever the old ones were.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

HeldFile Hold(FileSystem& fs, const Path& path) {
    HeldFile held{fs.CreateFile(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL)};
    if (!held.handle) {
        // Which refusal it was decides the report: a file that cannot even be read failed to open;
        // one that can be read but not written (read-only, or held by a program that shares reading
        // only) failed to be created.
        const DWORD writeError = ::GetLastError();
        UniqueFile reader = fs.CreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL);
        if (!reader) throw errors::CannotOpenFile(path, ::GetLastError());
        throw errors::CannotCreateFile(path, writeError);
    }
    if (!fs.GetFileInformation(held.handle.get(), &held.information)) throw errors::StreamRead();
    // Windows refuses to open a read-only file for writing; a host that lets it through (Wine run
    // by root) must not get to replace it either.
    if (held.information.attributes & FILE_ATTRIBUTE_READONLY)
        throw errors::CannotCreateFile(path, ERROR_ACCESS_DENIED);
    return held;
}

std::string ReadWhole(FileSystem& fs, const HeldFile& held) {
    const LONGLONG size = held.information.size;
    if (size > kMaxLength) throw errors::OutOfMemory();
    std::string contents(static_cast<size_t>(size), '\0');
    for (size_t done = 0; done < contents.size();) {
        DWORD read = 0;
        if (!fs.ReadFile(held.handle.get(), contents.data() + done, static_cast<DWORD>(contents.size() - done),
                         &read) ||
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

// Only where no file can be made beside it is a file rewritten where it stands. Growing it to its
// new length first makes a full disk fail before any byte changes; a failure in the middle of the
// write itself can still leave it half written.
void WriteInPlace(FileSystem& fs, HeldFile& held, const std::string& bytes) {
    HANDLE file = held.handle.get();
    const auto newLength = static_cast<LONGLONG>(bytes.size());
    if (newLength > held.information.size) SetLength(fs, file, newLength);
    if (!fs.SetFilePointer(file, 0, FILE_BEGIN, nullptr)) throw errors::StreamWrite();
    WriteAll(fs, file, bytes);
    SetLength(fs, file, newLength);
    if (!fs.FlushFileBuffers(file)) throw errors::StreamWrite();
}

// Bytes that stay as they are need not be written again: the file keeps them and, as after any
// rewrite, its last-write time is now. Writing them would only hand the disk the whole file once
// more for nothing, which under load costs more than all the rest of the rewrite.
void Touch(FileSystem& fs, HeldFile& held) {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    if (!fs.SetTimesAndAttributes(held.handle.get(), {}, platform::TimeValue(now), 0)) throw errors::StreamWrite();
}

// After a failed swap the file may be gone (another program may rename or delete it while it is
// held); then the file beside it holds the only copy of its contents and must stay.
[[noreturn]] void SwapFailed(FileSystem& fs, const Path& path, TemporaryFile& temporary, DWORD error) {
    platform::FileInformation present;
    if (!fs.GetFileInformationByName(path, &present)) {
        const Path kept = temporary.Path();
        temporary.Release();
        throw errors::NewContentsKeptIn(path, kept, error);
    }
    throw errors::CannotCreateFile(path, error);
}

}  // namespace

Rewrite::Rewrite(const Path& path, FileSystem& fs) : fs_(fs), path_(path), held_(Hold(fs, path)) {}

void Rewrite::Prepare(const std::string& search, const std::string& replacement, platform::CodePage& codePage,
                      const Path& newFileFolder) {
    try {
        const std::string contents = ReadWhole(fs_, held_);
        std::string result = ReplaceAllIgnoringCase(contents, search, replacement, codePage);
        if (static_cast<LONGLONG>(result.size()) > kMaxLength) throw errors::OutOfMemory();
        if (result == contents) return;
        // The new contents go to a file of their own, reach the disk and take on what the target
        // has that a rename would lose; only the rename in Commit changes anything.
        temporary_.emplace(fs_, newFileFolder);
        if (!temporary_->Created()) {
            temporary_.reset();
            inPlace_ = std::move(result);
            return;
        }
        WriteAll(fs_, temporary_->Handle(), result);
        const DWORD attributes = (held_.information.attributes & kKeptAttributes) | FILE_ATTRIBUTE_ARCHIVE;
        if (!fs_.SetTimesAndAttributes(temporary_->Handle(), held_.information.creationTime, {}, attributes))
            throw errors::StreamWrite();
        if (!fs_.FlushFileBuffers(temporary_->Handle())) throw errors::StreamWrite();
    } catch (const std::bad_alloc&) {
        throw errors::OutOfMemory();
    }
}

Rewrite::~Rewrite() = default;

// The new file is renamed over the target in one step: whenever the program stops, the file is
// wholly old or wholly new under its own name.
void Rewrite::Commit() {
    // A file deleted since it was read is not brought back: it is gone by its turn. Windows says
    // so through the handle.
    platform::FileInformation now;
    if (fs_.GetFileInformation(held_.handle.get(), &now) && now.deleted)
        throw errors::CannotOpenFile(path_, ERROR_FILE_NOT_FOUND);
    if (inPlace_) return WriteInPlace(fs_, held_, *inPlace_);
    if (!temporary_) return Touch(fs_, held_);
    TemporaryFile& temporary = *temporary_;
    // Where the system renames over a file that is still held, nobody can write it in between.
    if (fs_.RenameOpenFileOver(temporary.Handle(), path_, true)) return temporary.Release();
    if (::GetLastError() != ERROR_NOT_SUPPORTED) SwapFailed(fs_, path_, temporary, ::GetLastError());
    // Elsewhere the file must be let go first, and the rename follows at once. A deletion asked
    // for while it was held (Wine tells no other handle of it) takes effect as it is let go; bytes
    // another program writes in between are not renamed over: the file is left with them, as one
    // held by another program is.
    held_.handle.reset();
    platform::FileInformation named;
    if (!fs_.GetFileInformationByName(path_, &named)) {
        if (::GetLastError() == ERROR_FILE_NOT_FOUND) throw errors::CannotOpenFile(path_, ERROR_FILE_NOT_FOUND);
    } else if (named.size != held_.information.size ||
               named.lastWriteTime.QuadPart != held_.information.lastWriteTime.QuadPart) {
        throw errors::CannotCreateFile(path_, ERROR_SHARING_VIOLATION);
    }
    if (!fs_.RenameOpenFileOver(temporary.Handle(), path_, false)) SwapFailed(fs_, path_, temporary, ::GetLastError());
    temporary.Release();
}

void ReplaceInFile(const Path& path, const std::string& search, const std::string& replacement, FileSystem& fs,
                   platform::CodePage& codePage, const AfterWrite& afterWrite) {
    Rewrite rewrite(path, fs);
    rewrite.Prepare(search, replacement, codePage, path.Folder());
    rewrite.Commit();
    if (afterWrite) afterWrite();
}

void ReplaceInFile(const Path& path, const std::string& search, const std::string& replacement,
                   const AfterWrite& afterWrite) {
    ReplaceInFile(path, search, replacement, platform::SystemFileSystem(), platform::SystemCodePage(), afterWrite);
}

}  // namespace replace
