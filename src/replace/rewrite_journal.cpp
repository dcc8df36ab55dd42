#include "replace/rewrite_journal.h"

#include "replace/write_in_place.h"

#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace replace {

namespace {

constexpr DWORD kNameAttempts = 100;

platform::Path JournalName(const platform::Path& folder, DWORD attempt) {
    const DWORD seed = (::GetCurrentProcessId() * 0x9E3779B1u) ^ (::GetCurrentThreadId() * 0x85EBCA6Bu) ^ ::GetTickCount();
    wchar_t name[32];
    std::swprintf(name, 32, L".zavotek-%08lX.journal", static_cast<unsigned long>(seed + attempt * 0x10001u));
    return folder.Join(name);
}

// The whole of an open file, or nothing when it cannot be read or is longer than a record can be.
std::optional<std::string> ReadWhole(platform::FileSystem& fs, HANDLE file) {
    platform::FileInformation information;
    if (!fs.GetFileInformation(file, &information) || information.size > 0x7FFFFFFF) return std::nullopt;
    std::string bytes(static_cast<size_t>(information.size), '\0');
    if (!ReadExactly(fs, file, bytes)) return std::nullopt;
    return bytes;
}

// True when the journal at `path` is no longer needed.
bool Finish(platform::FileSystem& fs, const platform::Path& folder, const platform::Path& path) {
    // Not shared: a command that is writing this journal holds it so, and keeps it.
    platform::UniqueFile journal = fs.CreateFile(path, GENERIC_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (!journal) return false;
    const std::optional<std::string> bytes = ReadWhole(fs, journal.get());
    if (!bytes) return false;
    // A record cut short was being written while its file was still untouched.
    const std::optional<JournalRecord> record = DecodeRecord(*bytes);
    if (!record) return true;
    platform::UniqueFile target = fs.CreateFile(folder.Join(record->name), GENERIC_READ | GENERIC_WRITE,
                                                FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (!target) return false;
    const std::optional<std::string> now = ReadWhole(fs, target.get());
    if (!now) return false;
    switch (Classify(*now, *record)) {
    case FileState::WhollyOld:
    case FileState::WhollyNew: return true;
    case FileState::Changed: return false;
    case FileState::PartWritten:
        const auto length = static_cast<LONGLONG>(now->size());
        return GrowTo(fs, target.get(), length, record->newBytes) &&
               WriteOver(fs, target.get(), length, record->newBytes);
    }
    return false;
}

}  // namespace

const wchar_t kJournalPattern[] = L".zavotek-*.journal";

RewriteJournal::RewriteJournal(platform::FileSystem& fs, platform::Path folder) : fs_(fs), folder_(std::move(folder)) {}

RewriteJournal::~RewriteJournal() {
    file_.reset();
    if (!path_.empty() && !keep_) fs_.DeleteFile(path_);
}

bool RewriteJournal::Write(const JournalRecord& record, std::uint32_t newBytesCrc) {
    if (failed_) return false;
    for (DWORD attempt = 0; !file_ && attempt < kNameAttempts; ++attempt) {
        platform::Path path = JournalName(folder_, attempt);
        // Not shared, so that a listing in another program (or this one) leaves it to this command.
        file_ = fs_.CreateFile(path, GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN);
        if (file_) path_ = std::move(path);
        else if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    if (!file_) {
        failed_ = true;
        return false;
    }
    const std::string head = EncodeRecordHead(record, newBytesCrc);
    const auto headLength = static_cast<LONGLONG>(head.size());
    // Whatever a longer record before it left beyond its end does no harm: a record is whole only
    // when its length and checksums agree.
    return WriteAt(fs_, file_.get(), 0, head) && WriteAt(fs_, file_.get(), headLength, record.newBytes) &&
           CutAt(fs_, file_.get(), headLength + static_cast<LONGLONG>(record.newBytes.size())) &&
           fs_.FlushFileBuffers(file_.get());
}

void FinishInterruptedRewrites(platform::FileSystem& fs, const platform::Path& folder) {
    WIN32_FIND_DATAW data;
    std::vector<platform::Path> done;
    if (platform::UniqueFind find = fs.FindFirstFile(folder.Join(kJournalPattern), &data)) {
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const platform::Path path = folder.Join(data.cFileName);
            if (Finish(fs, folder, path)) done.push_back(path);
        } while (fs.FindNextFile(find.get(), &data));
    }
    for (const platform::Path& path : done) fs.DeleteFile(path);
}

}  // namespace replace
