#pragma once

// What every benchmark here shares: the baselines' own file operations and the pairing
// of a measured call with its baseline in one iteration.

#include "Ratios.hpp"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <ostream>
#include <string>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The baseline write: bytes ready in memory go out in one write to a temporary file,
// which is made durable and renamed over the target.
void writeDurably(const std::string& target, const std::string& bytes);
// The baseline read: the whole file into memory.
std::string readBytes(const std::string& path);

// The body of a benchmark executable's main: `prepare` builds and describes the workload,
// `registerAll` adds the benchmarks, and `report` prints the ratios after the run. A
// failure is printed with the executable's name; the answer is the exit status.
int runMain(int argc, char** argv, const char* name, const std::function<void()>& prepare,
            const std::function<void()>& registerAll, const std::function<void(std::ostream&)>& report);

template <typename Body>
void guarded(benchmark::State& state, Body body) {
    try {
        body();
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// Times the call under test and its baseline in the same iteration, taking turns at
// going first. The row's time is the call under test; the baseline's mean and the ratio
// are its counters. `tidy` runs after each pair, untimed.
template <typename Baseline, typename Measured, typename Tidy>
void paired(benchmark::State& state, const std::string& key, std::size_t bytes, Baseline baseline,
            Measured measured, Tidy tidy) {
    const auto timed = [](auto&& call) {
        const Clock::time_point start = Clock::now();
        call();
        return secondsSince(start);
    };
    double baselineTotal = 0;
    double measuredTotal = 0;
    bool baselineFirst = true;
    for (auto _ : state) {
        double baselineSeconds = 0;
        double measuredSeconds = 0;
        if (baselineFirst) {
            baselineSeconds = timed(baseline);
            measuredSeconds = timed(measured);
        } else {
            measuredSeconds = timed(measured);
            baselineSeconds = timed(baseline);
        }
        baselineFirst = !baselineFirst;
        tidy();
        state.SetIterationTime(measuredSeconds);
        bench::ratios::record(key + ".baseline", baselineSeconds);
        bench::ratios::record(key + ".measured", measuredSeconds);
        baselineTotal += baselineSeconds;
        measuredTotal += measuredSeconds;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = 1000 * baselineTotal / iterations;
    state.counters["ratio"] = measuredTotal / baselineTotal;
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

}  // namespace bench
