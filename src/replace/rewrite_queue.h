#pragma once
// The files of a run, prepared for their rewrite on threads of their own and handed back in the
// order they were added, for the run to write each itself. Preparing (holding, reading, replacing
// and checksumming) changes nothing a user has, so files go ahead of the one being written; the
// change itself stays in the run's hands and order, and a run that stops leaves every file after
// the stop as it was.
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "replace/rewrite.h"

#include <windows.h>

#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace replace {

class RewriteQueue {
public:
    // A file whose preparation has ended: its rewrite to commit, or the error that stopped it.
    struct Prepared {
        size_t index;
        std::unique_ptr<Rewrite> rewrite;
        std::exception_ptr error;
    };

    // What a run asks of whoever runs it, always on the thread that called Run.
    struct Steps {
        size_t count = 0;
        // Whether the next file waits until every file before it is in place (the user is asked
        // about each file, over the one before it).
        std::function<bool()> oneByOne;
        // The file at `index` to rewrite, or none when it is passed over.
        std::function<std::optional<platform::Path>(size_t index)> admit;
        // The next prepared files in their order: at least one, as many as are ready, a file whose
        // preparation failed last.
        std::function<void(std::vector<Prepared>& group)> putInPlace;
        // Runs between short waits for the next file.
        std::function<void()> meanwhile;
    };

    // Files prepared and not yet taken are held open: no more than this many are kept ahead,
    // enough to keep the threads busy while the window shows a file.
    static constexpr size_t kAhead = 256;
    // A prepared file keeps its old and new bytes in memory until it is taken. Beyond the first
    // file not yet taken, which is always prepared, files of no more than this many bytes are, so
    // that a run of large files holds about what a run without threads would.
    static constexpr LONGLONG kBytesAhead = 128 * 1024 * 1024;
    // Files handed back together, whose records the journal writes with one wait for the disk: as
    // many as make that wait a small share of theirs.
    static constexpr size_t kGroup = 64;
    // How long one wait for the next file lasts before `meanwhile` runs.
    static constexpr DWORD kWaitSpell = 10;

    RewriteQueue(platform::FileSystem& fs, platform::CodePage& codePage, std::string search, std::string replacement,
                 size_t threads = 2, LONGLONG bytesAhead = kBytesAhead);
    // Files not taken yet are let go as they were.
    ~RewriteQueue();
    RewriteQueue(const RewriteQueue&) = delete;
    RewriteQueue& operator=(const RewriteQueue&) = delete;

    // Feeds the files 0 to count-1 that `admit` lets in, as room allows, and hands every one back
    // to `putInPlace` in order; returns once all are put in place. Whatever a step throws ends the
    // run there.
    void Run(const Steps& steps);

private:
    struct Job {
        size_t index;
        platform::Path path;
        bool started = false, ended = false;
        LONGLONG bytes = 0;  // counted against bytesAhead_
        std::unique_ptr<Rewrite> rewrite;
        std::exception_ptr error;
    };

    bool Full() const;
    bool Empty() const;
    void Add(size_t index, platform::Path path);
    // The first files added and not yet taken whose preparation has ended, once the first has;
    // waits for it at most `milliseconds`. Empty when it has not ended by then.
    std::vector<Prepared> Take(DWORD milliseconds);

    void Work();
    Job* Unstarted();
    // Waits, the lock held, until `job` may be prepared within the bytes ahead; false once stopping.
    bool RoomFor(Job& job, LONGLONG bytes);
    // Ends the threads, once a file they are preparing is prepared.
    void Stop();

    platform::FileSystem& fs_;
    platform::CodePage& codePage_;
    const std::string search_, replacement_;
    // Slim locks and condition variables wait in the process itself; under Wine, waiting on an
    // event or a semaphore, and setting one, costs a call to the Wine server each time.
    mutable SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE added_ = CONDITION_VARIABLE_INIT, ended_ = CONDITION_VARIABLE_INIT,
                       taken_ = CONDITION_VARIABLE_INIT;
    // Added and not taken; a thread preparing a job holds on to it, which only Take removes.
    std::deque<Job> jobs_;
    const LONGLONG bytesAheadLimit_;
    LONGLONG bytesAhead_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace replace
