#pragma once
// When a Replace All run shows a rewritten file in the viewer. Loading a file into the viewer
// costs far more than rewriting a small one, and a file replaced by the next a few milliseconds
// later is never seen; so a file is shown only when the viewer has shown none for a while. The
// last file of the run, and every file the user was asked about, is always shown; a file left
// unshown is remembered so that the viewer can catch up before a question or when the run stops.
#include <windows.h>

#include <functional>
#include <string>

namespace replace {

class ViewerPacer {
public:
    // Milliseconds, as GetTickCount counts them.
    using Clock = std::function<DWORD()>;
    // Below this many milliseconds since the viewer last showed a file, a file may go unshown.
    static constexpr DWORD kInterval = 100;

    explicit ViewerPacer(Clock clock);

    // Whether the file just rewritten is to be shown.
    bool ShowNow(bool lastFile, bool askedAbout) const;
    // The viewer has just shown the run's latest rewritten file.
    void Shown();
    // The file at `path` was rewritten and not shown.
    void Skipped(std::string path);
    // The last rewritten file the viewer has not caught up with, or empty.
    const std::string& Unshown() const noexcept { return unshown_; }

private:
    Clock clock_;
    bool shownAny_ = false;
    DWORD lastShown_ = 0;
    std::string unshown_;
};

}  // namespace replace
