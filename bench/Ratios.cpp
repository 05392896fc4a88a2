#include "Ratios.hpp"

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>

namespace bench::ratios {

namespace {

struct Samples {
    double sum = 0;
    double highest = 0;
    std::int64_t count = 0;
};

std::mutex lock;

std::map<std::string, Samples>& table() {
    static std::map<std::string, Samples> samples;
    return samples;
}

}  // namespace

void record(const std::string& key, double value) {
    std::lock_guard<std::mutex> guard(lock);
    Samples& s = table()[key];
    s.highest = s.count == 0 ? value : std::max(s.highest, value);
    s.sum += value;
    ++s.count;
}

std::optional<double> mean(const std::string& key) {
    std::lock_guard<std::mutex> guard(lock);
    const auto it = table().find(key);
    if (it == table().end() || it->second.count == 0) {
        return std::nullopt;
    }
    return it->second.sum / static_cast<double>(it->second.count);
}

std::optional<double> max(const std::string& key) {
    std::lock_guard<std::mutex> guard(lock);
    const auto it = table().find(key);
    if (it == table().end() || it->second.count == 0) {
        return std::nullopt;
    }
    return it->second.highest;
}

void print(std::ostream& out, const std::string& name, std::optional<double> numerator,
           std::optional<double> denominator, double target) {
    char targetText[32];
    std::snprintf(targetText, sizeof targetText, "%g", target);
    if (!numerator || !denominator || *denominator <= 0) {
        out << "RATIO " << name << " = n/a (target <= " << targetText
            << "): not measured in this run (filtered out or failed)\n";
        return;
    }
    // Two decimals as usual; four where the target itself is a small fraction.
    char valueText[32];
    std::snprintf(valueText, sizeof valueText, target < 0.1 ? "%.4f" : "%.2f", *numerator / *denominator);
    out << "RATIO " << name << " = " << valueText << " (target <= " << targetText << ")\n";
}

}  // namespace bench::ratios
