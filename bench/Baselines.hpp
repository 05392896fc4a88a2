#pragma once

// What every benchmark here shares, in the native and the Windows build: the clock, the
// baselines' own file operations, and the timing of a call against its baseline.

#include <filesystem>
#include <string>

namespace bench {

// Seconds from an arbitrary start, read from the system's high-resolution counter:
// QueryPerformanceCounter on Windows, the steady clock elsewhere.
double now();

inline double secondsSince(double start) {
    return now() - start;
}

// The baseline write: bytes ready in memory go out in one write to a temporary file,
// which is made durable and renamed over the target.
void writeDurably(const std::filesystem::path& target, const std::string& bytes);
// The baseline read: the whole file into memory.
std::string readBytes(const std::filesystem::path& path);

struct PairTimes {
    double baseline = 0;
    double measured = 0;
};

// Times the call under test and its baseline back to back, the baseline first when
// asked. Callers take turns at going first, so that whatever else the machine does
// weighs on both alike.
template <typename Baseline, typename Measured>
PairTimes timePair(bool baselineFirst, Baseline&& baseline, Measured&& measured) {
    const auto timed = [](auto&& call) {
        const double start = now();
        call();
        return secondsSince(start);
    };
    PairTimes times;
    if (baselineFirst) {
        times.baseline = timed(baseline);
        times.measured = timed(measured);
    } else {
        times.measured = timed(measured);
        times.baseline = timed(baseline);
    }
    return times;
}

}  // namespace bench
