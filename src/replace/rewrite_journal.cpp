#include "replace/rewrite_journal.h"

#include "platform/errors.h"
#include "replace/in_place_io.h"
#include "replace/journal_record.h"
#include "replace/rewrite.h"

#include <cwchar>

namespace replace {

namespace {

constexpr DWORD kNameAttempts = 100;

platform::Path JournalName(const platform::Path& folder, DWORD attempt) {
    wchar_t name[48];
    std::swprintf(name, 48, L"%08lX-%08lX.journal", static_cast<unsigned long>(::GetCurrentProcessId()),
                  static_cast<unsigned long>(::GetTickCount() + attempt * 0x10001u));
    return folder.Join(name);
}

}  // namespace

const wchar_t kJournalPattern[] = L"*.journal";

RewriteJournal::RewriteJournal(platform::FileSystem& fs, platform::Path folder)
    : fs_(fs), folder_(std::move(folder)), volumes_(fs) {
    FinishInterruptedRewrites(fs_, folder_);
}

RewriteJournal::~RewriteJournal() {
    if (!file_) return;
    file_.reset();
    fs_.DeleteFile(path_);
}

void RewriteJournal::Open() {
    if (!fs_.CreatePrivateFolder(folder_)) throw IoFailure{::GetLastError()};
    for (DWORD attempt = 0; !file_ && attempt < kNameAttempts; ++attempt) {
        platform::Path path = JournalName(folder_, attempt);
        // Shared with nobody: a command holds its journal so, and FinishInterruptedRewrites leaves
        // every journal it cannot open so to its command.
        file_ = fs_.CreatePrivateFile(path);
        if (file_) path_ = std::move(path);
        else if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    if (!file_) throw IoFailure{::GetLastError()};
}

void RewriteJournal::Write(const std::vector<const Rewrite*>& group) {
    Forget();
    std::vector<const Rewrite*> changed;
    for (const Rewrite* rewrite : group)
        if (rewrite->Changed()) changed.push_back(rewrite);
    if (changed.empty()) return;
    try {
        if (!file_) Open();
        LONGLONG at = 0;
        for (const Rewrite* rewrite : changed) {
            const JournalRecord record = rewrite->Record(volumes_.Of(rewrite->FilePath().Folder()));
            const std::string head = EncodeRecordHead(record, rewrite->NewBytesCrc());
            WriteAt(fs_, file_.get(), at, head);
            WriteAt(fs_, file_.get(), at + static_cast<LONGLONG>(head.size()), record.newBytes);
            members_.emplace(rewrite, at);
            at += static_cast<LONGLONG>(EncodedSize(record));
        }
        CutAt(fs_, file_.get(), at);
        Flush(fs_, file_.get());
    } catch (const IoFailure& failure) {
        Forget();
        throw platform::errors::CannotWriteFile(changed.front()->FilePath(), failure.error);
    }
    pending_ = members_.size();
}

void RewriteJournal::Done(const Rewrite& rewrite) noexcept {
    const auto member = members_.find(&rewrite);
    if (member == members_.end() || !file_) return;
    // Not waited for: a kill keeps what was written, and after a power cut a record not marked done
    // finds its file wholly new.
    try {
        WriteAt(fs_, file_.get(), member->second + static_cast<LONGLONG>(kDoneMarkAt),
                std::string_view(kDoneMark, sizeof kDoneMark));
        members_.erase(member);
        if (--pending_ == 0) CutAt(fs_, file_.get(), 0);
    } catch (const IoFailure&) {
    }
}

void RewriteJournal::Keep() noexcept {
    file_.reset();
    path_ = {};
    members_.clear();
    pending_ = 0;
}

void RewriteJournal::Forget() noexcept {
    members_.clear();
    pending_ = 0;
}

}  // namespace replace
