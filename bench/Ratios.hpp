#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

// The figures the benchmarks measure, kept by name so that the end of the run can set
// each against its baseline from the same run.
namespace bench::ratios {

// One sample of a named measurement: the seconds of one iteration, a byte count, ...
void record(const std::string& key, double value);

std::optional<double> mean(const std::string& key);
std::optional<double> max(const std::string& key);

// Writes "RATIO <name> = <value> (target <= <target>)", or says why the ratio is missing.
void print(std::ostream& out, const std::string& name, std::optional<double> numerator,
           std::optional<double> denominator, double target);

}  // namespace bench::ratios
