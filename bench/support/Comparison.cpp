#include "bench/support/Comparison.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tarvel::bench {
namespace {

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

#ifdef _WIN32
// Wine shows the Linux root as drive Z:; on Windows the file is not there.
constexpr char kLoadFile[] = "Z:\\proc\\loadavg";
#endif

}  // namespace

int Rounds() {
    const char* setting = std::getenv("TARVEL_BENCH_ROUNDS");
    const int rounds = setting != nullptr ? std::atoi(setting) : 0;
    return std::max(rounds, kDefaultRounds);
}

double LoadAverage() {
#ifdef _WIN32
    double load = -1;
    if (FILE* file = std::fopen(kLoadFile, "r")) {
        if (std::fscanf(file, "%lf", &load) != 1)
            load = -1;
        std::fclose(file);
    }
    return load;
#else
    double load = -1;
    return getloadavg(&load, 1) == 1 ? load : -1;
#endif
}

void Comparison::Add(double productMilliseconds, double floorMilliseconds) {
    product_.push_back(productMilliseconds);
    floor_.push_back(floorMilliseconds);
}

Comparison::Verdict Comparison::Judge() const {
    Verdict verdict;
    verdict.productMedian = Median(product_);
    verdict.floorMedian = Median(floor_);
    verdict.ratio = verdict.floorMedian > 0 ? verdict.productMedian / verdict.floorMedian : 0;
    std::vector<double> ratios;
    for (size_t round = 0; round < product_.size(); ++round)
        if (floor_[round] > 0)
            ratios.push_back(product_[round] / floor_[round]);
    if (!ratios.empty()) {
        const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
        verdict.lowestRoundRatio = *low;
        verdict.highestRoundRatio = *high;
    }
    verdict.met = target_ <= 0 || (verdict.floorMedian > 0 && verdict.ratio <= target_);
    return verdict;
}

void Comparison::Print() const {
    const Verdict verdict = Judge();
    char target[32] = "(no target)";
    if (target_ > 0)
        std::snprintf(target, sizeof target, "<= %.1f %s", target_, verdict.met ? "met" : "MISSED");
    std::printf("%-42s product %9.3f ms  floor %9.3f ms  ratio %6.2f [%.2f .. %.2f]  %s  (%zu rounds, load %.1f)\n",
                figure_.c_str(), verdict.productMedian, verdict.floorMedian, verdict.ratio, verdict.lowestRoundRatio,
                verdict.highestRoundRatio, target, product_.size(), LoadAverage());
    std::fflush(stdout);
}

bool RunInterleaved(int rounds, const std::function<bool()>& product, const std::function<bool()>& floor,
                    const std::function<void()>& roundDone) {
    for (int round = 0; round < rounds; ++round) {
        const bool done = round % 2 == 0 ? product() && floor() : floor() && product();
        if (!done)
            return false;
        roundDone();
    }
    return true;
}

bool Interleave(Comparison& comparison, int rounds, const std::function<double()>& product,
                const std::function<double()>& floor) {
    double productTime = 0;
    double floorTime = 0;
    return RunInterleaved(
        rounds, [&] { return (productTime = product()) >= 0; }, [&] { return (floorTime = floor()) >= 0; },
        [&] { comparison.Add(productTime, floorTime); });
}

void PrintHeader(const char* benchmark, int rounds) {
    std::printf("== %s: %d interleaved rounds; ratio = median product / median floor [lowest .. highest round "
                "ratio]; load at start %.1f\n",
                benchmark, rounds, LoadAverage());
    std::fflush(stdout);
}

}  // namespace tarvel::bench
