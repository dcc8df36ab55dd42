// Finishing the rewrites that a stopped program left part-written, from the journals in the
// user's private folder.
#include "platform/errors.h"
#include "replace/held_file.h"
#include "replace/in_place_io.h"
#include "replace/journal_record.h"
#include "replace/rewrite_journal.h"

#include <exception>
#include <string_view>
#include <vector>

namespace replace {

namespace {

enum class Outcome {
    Settled,  // nothing more to do for the record
    Later,    // its file is not there, is held or read-only now: tried again another time
};

// The file a record names, held as a rewrite holds it, when it is still that file.
Outcome Finish(platform::FileSystem& fs, const JournalRecord& record) {
    HeldFile held;
    try {
        held = HoldFile(fs, record.path);
    } catch (const platform::EError&) {
        return Outcome::Later;
    }
    platform::FileIdentity identity{0, held.index};
    if (!fs.GetVolumeSerial(record.path.Folder(), &identity.volumeSerial)) return Outcome::Later;
    if (identity != record.identity) return Outcome::Settled;
    try {
        const std::string now = ReadWhole(fs, held.handle.get());
        if (Classify(now, record) != FileState::PartWritten) return Outcome::Settled;
        const auto length = static_cast<LONGLONG>(now.size());
        GrowTo(fs, held.handle.get(), length, record.newBytes);
        WriteOver(fs, held.handle.get(), length, record.newBytes);
        return Outcome::Settled;
    } catch (const IoFailure&) {
        return Outcome::Later;
    } catch (const platform::EError&) {
        return Outcome::Later;
    }
}

// True when the journal at `path` holds no record that waits for its file any more.
bool Settle(platform::FileSystem& fs, const platform::Path& path) {
    // Shared with nobody: a running command holds its journal so, and keeps it.
    const platform::UniqueFile journal =
        fs.CreateFile(path, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    // A file the program did not make for the user is none of its records.
    if (!journal || !fs.IsPrivateToUser(journal.get())) return false;
    const std::string bytes = ReadWhole(fs, journal.get());
    bool waiting = false;
    for (const DecodedRecord& decoded : DecodeRecords(bytes)) {
        if (decoded.record.done) continue;
        if (Finish(fs, decoded.record) == Outcome::Later) waiting = true;
        else WriteAt(fs, journal.get(), static_cast<LONGLONG>(decoded.at + kDoneMarkAt),
                     std::string_view(kDoneMark, sizeof kDoneMark));
    }
    return !waiting;
}

}  // namespace

void FinishInterruptedRewrites(platform::FileSystem& fs, const platform::Path& folder) noexcept {
    try {
        WIN32_FIND_DATAW data;
        std::vector<platform::Path> settled;
        if (platform::UniqueFind find = fs.FindFirstFile(folder.Join(kJournalPattern), &data)) {
            do {
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
                const platform::Path path = folder.Join(data.cFileName);
                try {
                    if (Settle(fs, path)) settled.push_back(path);
                } catch (const IoFailure&) {
                } catch (const platform::EError&) {
                }
            } while (fs.FindNextFile(find.get(), &data));
        }
        for (const platform::Path& path : settled) fs.DeleteFile(path);
    } catch (const std::exception&) {
        // Out of memory while reading a journal: it stays for another time.
    }
}

}  // namespace replace
