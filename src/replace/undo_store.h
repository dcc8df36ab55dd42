#pragma once
// The undo of the last command that changed files: the old bytes of every file it changed and the
// old last-write time of every file it wrote, kept in the user's private folder (never beside the
// files), until the next command that changes files, or the undo. Putting back goes through the
// same journaled rewrite in place, and only into a file that is still exactly as the command left
// it; anything changed since is left as it is.
#include "platform/file_system.h"
#include "replace/undo_manifest.h"
#include "replace/volume_serials.h"

#include <optional>
#include <string>
#include <vector>

namespace replace {

class Rewrite;

// Old bytes beyond this are not kept: a run over more keeps nothing to undo with.
constexpr LONGLONG kMaxKeptBytes = LONGLONG{1} << 30;

// Keeps, for one command, what undoing it needs; the undo of the command before stays until this
// one changes a file.
class UndoKeeper {
public:
    // `bound`: the most old bytes kept, below kMaxKeptBytes where a tenth of the free space is less.
    UndoKeeper(platform::FileSystem& fs, platform::Path folder, UndoKind kind, platform::Path listed);
    // Writes down what was kept, once the command has changed a file.
    ~UndoKeeper();
    UndoKeeper(const UndoKeeper&) = delete;
    UndoKeeper& operator=(const UndoKeeper&) = delete;

    // After `rewrite` was committed: its old bytes, or only its old last-write time. Never fails:
    // what cannot be kept is noted as the reason there is no undo.
    void Keep(const Rewrite& rewrite) noexcept;

private:
    void Begin();
    void Drop(NotKept why) noexcept;

    platform::FileSystem& fs_;
    const platform::Path folder_;
    UndoManifest manifest_;
    VolumeSerials volumes_;
    platform::UniqueFile kept_;
    bool begun_ = false;
    LONGLONG bound_ = kMaxKeptBytes, keptBytes_ = 0;
};

// What the last command that changed files kept: none when no command did since the last undo.
std::optional<UndoManifest> ReadUndo(platform::FileSystem& fs, const platform::Path& folder);

struct PutBackReport {
    size_t putBack = 0;
    // The files left as they are, each with why.
    std::vector<std::pair<platform::Path, std::wstring>> left;
};

// Puts back every file the kept command left as it was, journaled in `journalFolder`; then the
// undo is gone.
PutBackReport PutBack(platform::FileSystem& fs, const platform::Path& folder, const platform::Path& journalFolder);

}  // namespace replace
