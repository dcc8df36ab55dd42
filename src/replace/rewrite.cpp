#include "replace/rewrite.h"

#include "platform/errors.h"
#include "replace/crc32.h"
#include "replace/in_place_io.h"
#include "replace/replace_all_ignoring_case.h"
#include "replace/rewrite_journal.h"

#include <algorithm>
#include <new>

namespace replace {

namespace {

namespace errors = platform::errors;

// A read that fails, or memory that runs out, while a file is prepared.
template <typename Step>
void Preparing(Step step) {
    try {
        step();
    } catch (const IoFailure&) {
        throw errors::StreamRead();
    } catch (const std::bad_alloc&) {
        throw errors::OutOfMemory();
    }
}

LARGE_INTEGER Now() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return platform::TimeValue(now);
}

}  // namespace

Rewrite::Rewrite(const platform::Path& path, platform::FileSystem& fs)
    : fs_(fs), path_(path), held_(HoldFile(fs, path)) {}

void Rewrite::Prepare(const std::string& search, const std::string& replacement, platform::CodePage& codePage) {
    Preparing([&] {
        old_ = ReadWhole(fs_, held_.handle.get());
        Become(ReplaceAllIgnoringCase(old_, search, replacement, codePage));
    });
}

bool Rewrite::PrepareBack(LONGLONG length, std::uint32_t crc, std::optional<std::string> bytes,
                          LARGE_INTEGER lastWrite) {
    bool same = false;
    Preparing([&] {
        old_ = ReadWhole(fs_, held_.handle.get());
        same = static_cast<LONGLONG>(old_.size()) == length && Crc32(old_.data(), old_.size()) == crc;
        if (same) Become(bytes ? std::move(*bytes) : old_);
    });
    lastWriteAfter_ = lastWrite;
    return same;
}

void Rewrite::Become(std::string newBytes) {
    new_ = std::move(newBytes);
    newLength_ = static_cast<LONGLONG>(new_.size());
    newCrc_ = Crc32(new_.data(), new_.size());
    changed_ = new_ != old_;
    if (!changed_) {
        old_ = new_ = {};
        return;
    }
    oldChecksums_ = OldStretchChecksums(old_, newLength_);
    // Neither the new bytes nor the record that holds them may pass the length a text can have.
    if (static_cast<LONGLONG>(EncodedSize(Record(0))) > kMaxTextLength) throw errors::OutOfMemory();
}

JournalRecord Rewrite::Record(DWORD volumeSerial) const {
    return JournalRecord{path_, Identity(volumeSerial), held_.information.size, oldChecksums_, new_};
}

// Bytes that stay as they are need not be written again: the file keeps them and, as after any
// rewrite, its last-write time is now (or the one it is to be given back). Writing them would only
// hand the disk the whole file once more for nothing, which under load costs more than all the
// rest of the rewrite.
void Rewrite::Commit(RewriteJournal& journal) {
    // A file deleted since it was read is not brought back: it is gone by its turn. Windows says
    // so through the handle.
    platform::FileInformation now;
    if (fs_.GetFileInformation(held_.handle.get(), &now) && now.deleted)
        throw errors::CannotOpenFile(path_, ERROR_FILE_NOT_FOUND);
    if (changed_) WriteInPlace(journal);
    if (!changed_ || lastWriteAfter_) {
        newLastWrite_ = lastWriteAfter_.value_or(Now());
        if (!fs_.SetLastWriteTime(held_.handle.get(), newLastWrite_)) throw errors::StreamWrite();
    } else if (fs_.GetFileInformation(held_.handle.get(), &now)) {
        newLastWrite_ = now.lastWriteTime;
    }
    if (changed_) LetGo();
}

// Whenever the program stops, the file is wholly old, wholly new, or part-written with its record
// whole in the journal; whenever a write fails, it is wholly old again, or its record stays.
void Rewrite::WriteInPlace(RewriteJournal& journal) {
    if (!journal.Holds(*this)) journal.Write({this});
    const LONGLONG oldLength = held_.information.size;
    HANDLE file = held_.handle.get();
    try {
        // The room first: a full disk fails here, with the file as it was.
        GrowTo(fs_, file, oldLength, new_);
    } catch (const IoFailure& failure) {
        throw errors::CannotWriteFile(path_, failure.error);
    }
    try {
        WriteOver(fs_, file, oldLength, new_);
    } catch (const IoFailure& failure) {
        try {
            WriteOver(fs_, file, std::max(oldLength, static_cast<LONGLONG>(new_.size())), old_);
        } catch (const IoFailure&) {
            journal.Keep();
        }
        throw errors::CannotWriteFile(path_, failure.error);
    }
    journal.Done(*this);
}

// Wine tells no other handle of a deletion asked for while the file is held; it takes effect as the
// file is let go, and then the name is gone.
void Rewrite::LetGo() {
    held_.handle.reset();
    platform::FileInformation named;
    if (!fs_.GetFileInformationByName(path_, &named) && ::GetLastError() == ERROR_FILE_NOT_FOUND)
        throw errors::CannotOpenFile(path_, ERROR_FILE_NOT_FOUND);
}

}  // namespace replace
