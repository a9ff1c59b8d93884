#include "bench/support/RatioReporter.h"

#include <cstdio>

bool RatioReporter::printRatios(const std::vector<BenchmarkRatio>& ratios) const {
    bool allMet = true;
    for (const auto& ratio : ratios) {
        const auto measured = seconds_.find(ratio.measured);
        const auto baseline = seconds_.find(ratio.baseline);
        if (measured == seconds_.end() || baseline == seconds_.end() || baseline->second <= 0)
            continue;
        const double value = measured->second / baseline->second;
        const bool met = value <= ratio.target;
        allMet = allMet && met;
        std::printf("%s: %.2f (target %.1f) %s\n", ratio.label.c_str(), value, ratio.target, met ? "met" : "MISSED");
    }
    return allMet;
}

int runBenchmarksWithRatios(int argc, char** argv, const std::vector<BenchmarkRatio>& ratios) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.printRatios(ratios);
    return 0;
}
