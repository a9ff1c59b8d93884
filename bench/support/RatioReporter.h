#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Runs the registered benchmarks and prints, after them, each ratio of a
// benchmark's time to its baseline's, measured in the same run.
struct BenchmarkRatio {
    std::string label;
    std::string measured;
    std::string baseline;
    double target;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs)
            if (run.run_type == Run::RT_Iteration)
                seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints the ratios; false when one of them misses its target.
    bool printRatios(const std::vector<BenchmarkRatio>& ratios) const;

private:
    std::map<std::string, double> seconds_;
};

int runBenchmarksWithRatios(int argc, char** argv, const std::vector<BenchmarkRatio>& ratios);
