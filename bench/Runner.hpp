#pragma once

// A small benchmark runner for builds without Google Benchmark (the Windows build): a
// list of figures, each of which measures something against a baseline measured in the
// same run and prints its RATIO lines.

#include "Baselines.hpp"
#include "Ratios.hpp"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace bench {

struct Figure {
    std::string name;
    std::function<void(std::ostream&)> run;
};

// Runs the figures whose names contain one of the patterns (every figure when there are
// none), one after another, and prints what each measured. A figure that throws is
// reported and the others still run; the answer is the exit status.
int runFigures(const std::vector<Figure>& figures, const std::vector<std::string>& patterns);

// "TIME <key>: measured <ms> ms, baseline <ms> ms" from the means recorded under key.
void printTimes(std::ostream& out, const std::string& key);

// "TIME <name> = <ms> ms" for a figure without a baseline of its own.
void printMilliseconds(std::ostream& out, const std::string& name, double seconds);

// Runs `iterations` pairs of the call under test and its baseline, taking turns at going
// first, recorded as key.measured and key.baseline; `tidy` runs after each pair, untimed.
// Prints one line with both means.
template <typename Baseline, typename Measured, typename Tidy>
void runPairs(std::ostream& out, const std::string& key, int iterations, Baseline&& baseline, Measured&& measured,
              Tidy&& tidy) {
    for (int i = 0; i < iterations; ++i) {
        const PairTimes times = timePair(i % 2 == 0, baseline, measured);
        tidy();
        ratios::record(key + ".baseline", times.baseline);
        ratios::record(key + ".measured", times.measured);
    }
    printTimes(out, key);
}

}  // namespace bench
