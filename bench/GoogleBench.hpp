#pragma once

// The Google Benchmark side of the native benchmarks: their main and the pairing of a
// measured call with its baseline in one benchmark iteration.

#include "Baselines.hpp"
#include "Ratios.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <ostream>
#include <string>

namespace bench {

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
void paired(benchmark::State& state, const std::string& key, std::size_t bytes, Baseline baseline, Measured measured,
            Tidy tidy) {
    double baselineTotal = 0;
    double measuredTotal = 0;
    bool baselineFirst = true;
    for (auto _ : state) {
        const PairTimes times = timePair(baselineFirst, baseline, measured);
        baselineFirst = !baselineFirst;
        tidy();
        state.SetIterationTime(times.measured);
        bench::ratios::record(key + ".baseline", times.baseline);
        bench::ratios::record(key + ".measured", times.measured);
        baselineTotal += times.baseline;
        measuredTotal += times.measured;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = 1000 * baselineTotal / iterations;
    state.counters["ratio"] = measuredTotal / baselineTotal;
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

}  // namespace bench
