#include "replace/rewrite_queue.h"


namespace replace {

namespace {

class Locked {
public:
    explicit Locked(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
    ~Locked() { ::ReleaseSRWLockExclusive(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    SRWLOCK& lock_;
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

std::optional<RewriteQueue::Prepared> RewriteQueue::Take(DWORD milliseconds) {
    Locked locked(lock_);
    if (!jobs_.empty() && !jobs_.front().ended && milliseconds > 0)
        ::SleepConditionVariableSRW(&ended_, &lock_, milliseconds, 0);
    if (jobs_.empty() || !jobs_.front().ended) return std::nullopt;
    Job& job = jobs_.front();
    Prepared prepared{job.index, std::move(job.rewrite), job.error};
    bytesAhead_ -= job.bytes;
    jobs_.pop_front();
    ::WakeAllConditionVariable(&taken_);
    return prepared;
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
    auto unstarted = [this]() -> Job* {
        for (Job& job : jobs_)
            if (!job.started) return &job;
        return nullptr;
    };
    ::AcquireSRWLockExclusive(&lock_);
    for (;;) {
        Job* next = nullptr;
        while (!stopping_ && (next = unstarted()) == nullptr) ::SleepConditionVariableSRW(&added_, &lock_, INFINITE, 0);
        if (stopping_) break;
        next->started = true;
        ::ReleaseSRWLockExclusive(&lock_);
        std::unique_ptr<Rewrite> rewrite;
        std::exception_ptr error;
        try {
            rewrite = std::make_unique<Rewrite>(next->path, fs_);
        } catch (...) {
            error = std::current_exception();
        }
        ::AcquireSRWLockExclusive(&lock_);
        if (rewrite && !RoomFor(*next, 2 * rewrite->Size())) break;
        ::ReleaseSRWLockExclusive(&lock_);
        try {
            if (rewrite) rewrite->Prepare(search_, replacement_, codePage_);
        } catch (...) {
            error = std::current_exception();
            rewrite.reset();
        }
        ::AcquireSRWLockExclusive(&lock_);
        next->rewrite = std::move(rewrite);
        next->error = error;
        next->ended = true;
        // The run waits only for the first file it has not taken.
        if (jobs_.front().ended) ::WakeConditionVariable(&ended_);
    }
    ::ReleaseSRWLockExclusive(&lock_);
}

}  // namespace replace
