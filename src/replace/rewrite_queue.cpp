#include "replace/rewrite_queue.h"

namespace replace {

namespace {

// The queue's lock for a scope, which may let it go for a stretch of that scope and take it again.
class Locked {
public:
    explicit Locked(SRWLOCK& lock) : lock_(lock) { Take(); }
    ~Locked() {
        if (held_) Release();
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

    void Take() {
        ::AcquireSRWLockExclusive(&lock_);
        held_ = true;
    }
    void Release() {
        held_ = false;
        ::ReleaseSRWLockExclusive(&lock_);
    }

private:
    SRWLOCK& lock_;
    bool held_ = false;
};

}  // namespace

RewriteQueue::RewriteQueue(platform::FileSystem& fs, platform::CodePage& codePage, std::string search,
                           std::string replacement, size_t threads, LONGLONG bytesAhead)
    : fs_(fs),
      codePage_(codePage),
      search_(std::move(search)),
      replacement_(std::move(replacement)),
      bytesAheadLimit_(bytesAhead) {
    try {
        for (size_t i = 0; i < threads; ++i) threads_.emplace_back([this] { Work(); });
    } catch (...) {
        Stop();
        throw;
    }
}

RewriteQueue::~RewriteQueue() {
    Stop();
    // The rewrites left uncommitted let their files go as they were.
    jobs_.clear();
}

void RewriteQueue::Run(const Steps& steps) {
    for (size_t next = 0; next < steps.count || !Empty();) {
        if (next < steps.count && !Full() && (Empty() || !steps.oneByOne())) {
            if (std::optional<platform::Path> path = steps.admit(next)) Add(next, std::move(*path));
            ++next;
            continue;
        }
        std::vector<Prepared> group;
        while ((group = Take(kWaitSpell)).empty()) steps.meanwhile();
        steps.putInPlace(group);
    }
}

void RewriteQueue::Stop() {
    {
        Locked locked(lock_);
        stopping_ = true;
    }
    ::WakeAllConditionVariable(&added_);
    ::WakeAllConditionVariable(&taken_);
    for (std::thread& thread : threads_) thread.join();
}

bool RewriteQueue::Full() const {
    Locked locked(lock_);
    return jobs_.size() >= kAhead;
}

bool RewriteQueue::Empty() const {
    Locked locked(lock_);
    return jobs_.empty();
}

void RewriteQueue::Add(size_t index, platform::Path path) {
    {
        Locked locked(lock_);
        jobs_.push_back(Job{index, std::move(path)});
    }
    ::WakeConditionVariable(&added_);
}

std::vector<RewriteQueue::Prepared> RewriteQueue::Take(DWORD milliseconds) {
    std::vector<Prepared> group;
    Locked locked(lock_);
    if (!jobs_.empty() && !jobs_.front().ended) ::SleepConditionVariableSRW(&ended_, &lock_, milliseconds, 0);
    while (!jobs_.empty() && jobs_.front().ended && group.size() < kGroup) {
        Job& job = jobs_.front();
        const bool failed = job.error != nullptr;
        group.push_back(Prepared{job.index, std::move(job.rewrite), job.error});
        bytesAhead_ -= job.bytes;
        jobs_.pop_front();
        if (failed) break;
    }
    if (!group.empty()) ::WakeAllConditionVariable(&taken_);
    return group;
}

RewriteQueue::Job* RewriteQueue::Unstarted() {
    for (Job& job : jobs_)
        if (!job.started) return &job;
    return nullptr;
}

bool RewriteQueue::RoomFor(Job& job, LONGLONG bytes) {
    while (!stopping_ && &job != &jobs_.front() && bytesAhead_ + bytes > bytesAheadLimit_)
        ::SleepConditionVariableSRW(&taken_, &lock_, INFINITE, 0);
    if (stopping_) return false;
    job.bytes = bytes;
    bytesAhead_ += bytes;
    return true;
}

void RewriteQueue::Work() {
    Locked locked(lock_);
    for (;;) {
        Job* next = nullptr;
        while (!stopping_ && (next = Unstarted()) == nullptr) ::SleepConditionVariableSRW(&added_, &lock_, INFINITE, 0);
        if (stopping_) return;
        next->started = true;
        std::unique_ptr<Rewrite> rewrite;
        std::exception_ptr error;
        locked.Release();
        try {
            rewrite = std::make_unique<Rewrite>(next->path, fs_);
        } catch (...) {
            error = std::current_exception();
        }
        locked.Take();
        if (rewrite && !RoomFor(*next, 2 * rewrite->Size())) return;
        locked.Release();
        try {
            if (rewrite) rewrite->Prepare(search_, replacement_, codePage_);
        } catch (...) {
            error = std::current_exception();
            rewrite.reset();
        }
        locked.Take();
        next->rewrite = std::move(rewrite);
        next->error = error;
        next->ended = true;
        // The run waits only for the first file it has not taken.
        if (jobs_.front().ended) ::WakeConditionVariable(&ended_);
    }
}

}  // namespace replace
