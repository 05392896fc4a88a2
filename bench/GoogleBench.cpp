#include "GoogleBench.hpp"

#include <cstdio>
#include <iostream>

namespace bench {

int runMain(int argc, char** argv, const char* name, const std::function<void()>& prepare,
            const std::function<void()>& registerAll, const std::function<void(std::ostream&)>& report) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    int status = 0;
    try {
        prepare();
        std::fflush(stdout);
        registerAll();
        benchmark::RunSpecifiedBenchmarks();
        std::cout.flush();
        report(std::cout);
    } catch (const std::exception& e) {
        std::cerr << name << ": " << e.what() << '\n';
        status = 1;
    }
    benchmark::Shutdown();
    return status;
}

}  // namespace bench
