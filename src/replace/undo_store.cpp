#include "replace/undo_store.h"

#include "platform/errors.h"
#include "replace/crc32.h"
#include "replace/in_place_io.h"
#include "replace/rewrite.h"
#include "replace/rewrite_journal.h"

#include <algorithm>
#include <memory>

namespace replace {

namespace {

constexpr wchar_t kManifestName[] = L"last-command.undo", kKeptName[] = L"old-bytes.undo";
// Files put back together after one wait for the disk, as the run writes them, within this much
// memory of old and new bytes.
constexpr size_t kGroupFiles = 64;
constexpr LONGLONG kGroupBytes = 64 * 1024 * 1024;

// Why a file that cannot be held is left as it is.
std::wstring WhyNotHeld(platform::FileSystem& fs, const platform::Path& path) {
    platform::FileInformation information;
    if (!fs.GetFileInformationByName(path, &information)) return L"gone";
    if (information.attributes & FILE_ATTRIBUTE_READONLY) return L"read-only";
    return L"held by another program";
}

struct Pending {
    const UndoEntry* entry;
    std::unique_ptr<Rewrite> rewrite;
};

// Holds and reads the file of `entry` and takes the bytes to put back: empty when it is ready,
// else why it is left as it is.
std::wstring Prepare(platform::FileSystem& fs, HANDLE kept, VolumeSerials& volumes, Pending& pending) {
    const UndoEntry& e = *pending.entry;
    try {
        pending.rewrite = std::make_unique<Rewrite>(e.path, fs);
    } catch (const platform::EError&) {
        return WhyNotHeld(fs, e.path);
    }
    Rewrite& rewrite = *pending.rewrite;
    try {
        if (rewrite.Identity(volumes.Of(e.path.Folder())) != e.identity ||
            (!e.changed && rewrite.OldLastWrite().QuadPart != e.newLastWrite.QuadPart))
            return L"changed since";
        std::optional<std::string> bytes;
        if (e.changed) {
            bytes = ReadAt(fs, kept, e.keptAt, e.oldLength);
            if (Crc32(bytes->data(), bytes->size()) != e.oldCrc) return L"its kept bytes are damaged";
        }
        return rewrite.PrepareBack(e.newLength, e.newCrc, std::move(bytes), e.oldLastWrite) ? L"" : L"changed since";
    } catch (const IoFailure&) {
        return L"could not be read";
    } catch (const platform::EError&) {
        return L"could not be read";
    }
}

}  // namespace

UndoKeeper::UndoKeeper(platform::FileSystem& fs, platform::Path folder, UndoKind kind, platform::Path listed)
    : fs_(fs), folder_(std::move(folder)), volumes_(fs) {
    manifest_.kind = kind;
    manifest_.folder = std::move(listed);
}

UndoKeeper::~UndoKeeper() {
    if (!begun_) return;
    kept_.reset();
    const platform::Path path = folder_.Join(kManifestName);
    try {
        const platform::UniqueFile manifest = fs_.CreatePrivateFile(path);
        if (!manifest) throw IoFailure{::GetLastError()};
        WriteAt(fs_, manifest.get(), 0, EncodeUndoManifest(manifest_));
    } catch (...) {
        fs_.DeleteFile(path);
        fs_.DeleteFile(folder_.Join(kKeptName));
    }
}

// The first file the command changes ends the undo of the command before.
void UndoKeeper::Begin() {
    begun_ = true;
    fs_.DeleteFile(folder_.Join(kManifestName));
    fs_.DeleteFile(folder_.Join(kKeptName));
    ULONGLONG free = 0;
    if (fs_.CreatePrivateFolder(folder_) && fs_.GetFreeBytes(folder_, &free))
        bound_ = std::min<LONGLONG>(kMaxKeptBytes, static_cast<LONGLONG>(free / 10));
    kept_ = fs_.CreatePrivateFile(folder_.Join(kKeptName));
    if (!kept_) Drop(NotKept::Failed);
}

void UndoKeeper::Keep(const Rewrite& rewrite) noexcept {
    try {
        if (rewrite.Changed() && !begun_) Begin();
        if (manifest_.notKept != NotKept::No) return;
        UndoEntry entry{rewrite.FilePath(), rewrite.Identity(volumes_.Of(rewrite.FilePath().Folder())),
                        rewrite.OldLastWrite(), rewrite.NewLength(), rewrite.NewBytesCrc(), rewrite.NewLastWrite()};
        if (rewrite.Changed()) {
            const std::string& old = rewrite.OldBytes();
            const auto size = static_cast<LONGLONG>(old.size());
            if (keptBytes_ + size > bound_) return Drop(NotKept::TooLarge);
            WriteAt(fs_, kept_.get(), keptBytes_, old);
            entry.changed = true;
            entry.keptAt = keptBytes_;
            entry.oldLength = size;
            entry.oldCrc = Crc32(old.data(), old.size());
            keptBytes_ += size;
        }
        manifest_.entries.push_back(std::move(entry));
    } catch (...) {
        Drop(NotKept::Failed);
    }
}

void UndoKeeper::Drop(NotKept why) noexcept {
    manifest_.notKept = why;
    manifest_.entries.clear();
    kept_.reset();
    fs_.DeleteFile(folder_.Join(kKeptName));
}

std::optional<UndoManifest> ReadUndo(platform::FileSystem& fs, const platform::Path& folder) {
    const platform::UniqueFile file =
        fs.CreateFile(folder.Join(kManifestName), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    // Only what the program made for the user is taken for an undo.
    if (!file || !fs.IsPrivateToUser(file.get())) return std::nullopt;
    try {
        return DecodeUndoManifest(ReadWhole(fs, file.get()));
    } catch (...) {
        return std::nullopt;
    }
}

PutBackReport PutBack(platform::FileSystem& fs, const platform::Path& folder, const platform::Path& journalFolder) {
    PutBackReport report;
    const std::optional<UndoManifest> manifest = ReadUndo(fs, folder);
    if (!manifest) return report;
    platform::UniqueFile kept =
        fs.CreateFile(folder.Join(kKeptName), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    RewriteJournal journal(fs, journalFolder);
    VolumeSerials volumes(fs);
    const std::vector<UndoEntry>& entries = manifest->entries;
    for (size_t next = 0; next < entries.size();) {
        std::vector<Pending> group;
        std::vector<const Rewrite*> rewrites;
        for (LONGLONG bytes = 0; next < entries.size() && group.size() < kGroupFiles && bytes < kGroupBytes; ++next) {
            Pending pending{&entries[next], nullptr};
            if (const std::wstring why = Prepare(fs, kept.get(), volumes, pending); !why.empty()) {
                report.left.emplace_back(entries[next].path, why);
                continue;
            }
            bytes += 2 * entries[next].oldLength;
            rewrites.push_back(pending.rewrite.get());
            group.push_back(std::move(pending));
        }
        try {
            journal.Write(rewrites);
        } catch (const platform::EError& error) {
            for (const Pending& pending : group) report.left.emplace_back(pending.entry->path, error.Message());
            continue;
        }
        for (Pending& pending : group) {
            try {
                pending.rewrite->Commit(journal);
                ++report.putBack;
            } catch (const platform::EError& error) {
                report.left.emplace_back(pending.entry->path, error.Message());
            }
            pending.rewrite.reset();
        }
    }
    kept.reset();
    fs.DeleteFile(folder.Join(kManifestName));
    fs.DeleteFile(folder.Join(kKeptName));
    return report;
}

}  // namespace replace
