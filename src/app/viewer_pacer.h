#pragma once
// When a Replace All run shows a rewritten file in the viewer and moves the list to it. Loading a
// file into the viewer, and painting the list, costs far more than rewriting a small file, and a
// file replaced by the next a few milliseconds later is never seen; so a file is shown only when
// the viewer has shown none for a while, the longer the slower the last showing. The last file of
// the run, and every file the user was asked about, is always shown; the last file left unshown
// is remembered so that the window can catch up before a question or when the run stops.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>

namespace app {

class ViewerPacer {
public:
    // Milliseconds, as GetTickCount counts them.
    using Clock = std::function<DWORD()>;
    // Below this many milliseconds since the viewer last showed a file, a file may go unshown.
    static constexpr DWORD kInterval = 100;
    // A file that took long to show keeps the viewer from the next for this many times as long,
    // so that showing files never takes much more than a sixteenth of a run: the files are
    // rewritten faster than the viewer can load them, and a load holds up the run. (An eighth
    // kept a run over two thousand small files a quarter slower than the same file calls alone.)
    static constexpr DWORD kCostFactor = 15;

    // The run starts now; what the viewer shows then counts as shown.
    explicit ViewerPacer(Clock clock);

    // Whether the file whose turn it is is to be shown.
    bool ShowNow(bool lastFile, bool askedAbout) const;
    // The window starts showing a file: the list's highlight moves to it and its text goes into
    // the viewer. Both count as the showing's cost, which sets how long the next file waits.
    void Showing();
    // The file's text is in the viewer: the latest rewritten file is shown.
    void Shown();
    // The file at `index` of the run was rewritten and not shown.
    void Skipped(size_t index) { unshown_ = index; }
    // The last rewritten file the window has not caught up with, if any.
    std::optional<size_t> Unshown() const noexcept { return unshown_; }

private:
    Clock clock_;
    DWORD lastShown_;
    DWORD showStarted_ = 0;
    DWORD lastCost_ = 0;
    std::optional<size_t> unshown_;
};

}  // namespace app
