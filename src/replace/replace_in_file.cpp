#include "replace/replace_in_file.h"

#include "platform/errors.h"
#include "replace/crc32.h"
#include "replace/replace_all_ignoring_case.h"
#include "replace/write_in_place.h"

#include <algorithm>
#include <new>

namespace replace {

namespace {

using platform::FileSystem;
using platform::Path;
using platform::UniqueFile;
namespace errors = platform::errors;

// Text lengths are signed 32-bit counts.
constexpr LONGLONG kMaxLength = 0x7FFFFFFF;

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
    if (!ReadExactly(fs, held.handle.get(), contents)) throw errors::StreamRead();
    return contents;
}

// Bytes that stay as they are need not be written again: the file keeps them and, as after any
// rewrite, its last-write time is now. Writing them would only hand the disk the whole file once
// more for nothing, which under load costs more than all the rest of the rewrite.
void Touch(FileSystem& fs, HeldFile& held) {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    if (!fs.SetLastWriteTime(held.handle.get(), platform::TimeValue(now))) throw errors::StreamWrite();
}

}  // namespace

Rewrite::Rewrite(const Path& path, FileSystem& fs) : fs_(fs), path_(path), held_(Hold(fs, path)) {}

void Rewrite::Prepare(const std::string& search, const std::string& replacement, platform::CodePage& codePage) {
    try {
        old_ = ReadWhole(fs_, held_);
        new_ = ReplaceAllIgnoringCase(old_, search, replacement, codePage);
        if (static_cast<LONGLONG>(new_.size()) > kMaxLength) throw errors::OutOfMemory();
        changed_ = new_ != old_;
        if (!changed_) {
            old_ = new_ = {};
            return;
        }
        oldChecksums_ = OldStretchChecksums(old_, static_cast<LONGLONG>(new_.size()));
        newCrc_ = Crc32(new_.data(), new_.size());
    } catch (const std::bad_alloc&) {
        throw errors::OutOfMemory();
    }
}

// Whenever the program stops, the file is wholly old, wholly new, or part-written with its record
// whole in the journal; whenever a write fails, it is wholly old again, or the journal stays.
void Rewrite::Commit(RewriteJournal& journal) {
    // A file deleted since it was read is not brought back: it is gone by its turn. Windows says
    // so through the handle.
    platform::FileInformation now;
    if (fs_.GetFileInformation(held_.handle.get(), &now) && now.deleted)
        throw errors::CannotOpenFile(path_, ERROR_FILE_NOT_FOUND);
    if (!changed_) return Touch(fs_, held_);
    const LONGLONG oldLength = held_.information.size;
    const bool journaled = journal.Write(JournalRecord{path_.FileName(), oldLength, oldChecksums_, new_}, newCrc_);
    HANDLE file = held_.handle.get();
    // The room first: a full disk fails here, with the file as it was.
    if (!GrowTo(fs_, file, oldLength, new_)) throw errors::CannotWriteFile(path_, ::GetLastError());
    if (WriteOver(fs_, file, oldLength, new_)) return LetGo();
    const DWORD error = ::GetLastError();
    const LONGLONG grown = std::max(oldLength, static_cast<LONGLONG>(new_.size()));
    if (!WriteOver(fs_, file, grown, old_) && journaled) journal.Keep();
    throw errors::CannotWriteFile(path_, error);
}

// Wine tells no other handle of a deletion asked for while the file is held; it takes effect as the
// file is let go, and then the name is gone.
void Rewrite::LetGo() {
    held_.handle.reset();
    platform::FileInformation named;
    if (!fs_.GetFileInformationByName(path_, &named) && ::GetLastError() == ERROR_FILE_NOT_FOUND)
        throw errors::CannotOpenFile(path_, ERROR_FILE_NOT_FOUND);
}

void ReplaceInFile(const Path& path, const std::string& search, const std::string& replacement, FileSystem& fs,
                   platform::CodePage& codePage, const AfterWrite& afterWrite) {
    Rewrite rewrite(path, fs);
    rewrite.Prepare(search, replacement, codePage);
    RewriteJournal journal(fs, path.Folder());
    rewrite.Commit(journal);
    if (afterWrite) afterWrite();
}

void ReplaceInFile(const Path& path, const std::string& search, const std::string& replacement,
                   const AfterWrite& afterWrite) {
    ReplaceInFile(path, search, replacement, platform::SystemFileSystem(), platform::SystemCodePage(), afterWrite);
}

}  // namespace replace
