#include "Runner.hpp"

#include <cstdio>
#include <exception>
#include <iostream>

namespace bench {

void printTimes(std::ostream& out, const std::string& key) {
    const auto measured = ratios::mean(key + ".measured");
    const auto baseline = ratios::mean(key + ".baseline");
    char line[200];
    std::snprintf(line, sizeof line, "TIME %s: measured %.2f ms, baseline %.2f ms\n", key.c_str(),
                  1000 * measured.value_or(0), 1000 * baseline.value_or(0));
    out << line;
}

void printMilliseconds(std::ostream& out, const std::string& name, double seconds) {
    char line[200];
    std::snprintf(line, sizeof line, "TIME %s = %.2f ms\n", name.c_str(), 1000 * seconds);
    out << line;
}

int runFigures(const std::vector<Figure>& figures, const std::vector<std::string>& patterns) {
    int status = 0;
    for (const Figure& figure : figures) {
        bool chosen = patterns.empty();
        for (const std::string& pattern : patterns) {
            chosen = chosen || figure.name.find(pattern) != std::string::npos;
        }
        if (!chosen) {
            continue;
        }
        std::cout << "-- " << figure.name << std::endl;
        try {
            figure.run(std::cout);
        } catch (const std::exception& e) {
            std::cout << "FAILED " << figure.name << ": " << e.what() << '\n';
            status = 1;
        }
        std::cout.flush();
    }
    return status;
}

}  // namespace bench
