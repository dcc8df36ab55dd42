#pragma once
// Small timing helpers shared by the benchmarks: figures are printed, never asserted.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>

namespace bench {

// Elapsed time on the steady clock.
class Stopwatch {
public:
    using Clock = std::chrono::steady_clock;
    Stopwatch() : start_(Clock::now()) {}
    double Seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

private:
    Clock::time_point start_;
};

// Processor time of the whole process, user and kernel (page faults included): on a busy machine
// it counts only the work done, not the time spent waiting for a processor.
class CpuStopwatch {
public:
    CpuStopwatch() : start_(Now()) {}
    double Seconds() const { return Now() - start_; }

private:
    static double Now() {
        FILETIME created, exited, kernel, user;
        ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
        auto ticks = [](const FILETIME& t) { return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
        return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
    }
    double start_;
};

struct Timing {
    double wall = 0;  // seconds
    double cpu = 0;   // seconds
};

// The time of one `work` on both clocks, each the shortest of `runs` timings: the runs least
// disturbed by the machine. Each timing repeats `work` for at least 0.2 s, as processor time
// may advance in steps of 10 ms or more.
template <typename Work>
Timing BestTiming(int runs, Work&& work) {
    Stopwatch probe;
    work();
    const int repeats = static_cast<int>(0.2 / std::max(probe.Seconds(), 1e-6)) + 1;
    Timing best;
    for (int i = 0; i < runs; ++i) {
        Stopwatch wall;
        CpuStopwatch cpu;
        for (int r = 0; r < repeats; ++r) work();
        Timing t{wall.Seconds() / repeats, cpu.Seconds() / repeats};
        if (i == 0 || t.wall < best.wall) best.wall = t.wall;
        if (i == 0 || t.cpu < best.cpu) best.cpu = t.cpu;
    }
    return best;
}

// The shortest of `runs` timings of `work` on the steady clock, in seconds.
template <typename Work>
double BestOf(int runs, Work&& work) {
    double best = 0;
    for (int i = 0; i < runs; ++i) {
        Stopwatch watch;
        work();
        double seconds = watch.Seconds();
        if (i == 0 || seconds < best) best = seconds;
    }
    return best;
}

inline double MegabytesPerSecond(size_t bytes, double seconds) { return static_cast<double>(bytes) / 1e6 / seconds; }

// "1234.5 MB/s"
inline std::string FormatRate(size_t bytes, double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB/s", MegabytesPerSecond(bytes, seconds));
    return text;
}

constexpr size_t kMebibyte = size_t{1} << 20;

}  // namespace bench
