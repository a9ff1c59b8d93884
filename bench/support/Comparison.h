#pragma once

// Side-by-side timing of the product against its floor: interleaved rounds
// whose order alternates, so that both sides see the same load of a busy
// machine; the ratio of the medians, the spread of the rounds' own ratios
// and the load average are printed against the figure's target.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tarvel::bench {

// Rounds unless TARVEL_BENCH_ROUNDS asks for more (scripts/bench --rounds).
constexpr int kDefaultRounds = 9;
int Rounds();

// Milliseconds since the stopwatch started.
class Stopwatch {
public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double Milliseconds() const {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};

// The one-minute load average of the machine, or a negative value when the
// platform does not tell it.
double LoadAverage();

// One figure: the product's and the floor's time of each round.
class Comparison {
public:
    // A target of 0 prints the figure without one.
    Comparison(std::string figure, double target) : figure_(std::move(figure)), target_(target) {}

    void Add(double productMilliseconds, double floorMilliseconds);
    // One line: medians, ratio of medians, spread of round ratios, target, load.
    void Print() const;

private:
    struct Verdict {
        double productMedian = 0;
        double floorMedian = 0;
        double ratio = 0;
        double lowestRoundRatio = 0;
        double highestRoundRatio = 0;
        bool met = false;
    };
    Verdict Judge() const;

    std::string figure_;
    double target_;
    std::vector<double> product_;
    std::vector<double> floor_;
};

// Runs the rounds, in even rounds the product's side first, in odd ones the
// floor's, then the round's end; false as soon as a side says it could not
// do its work.
bool RunInterleaved(int rounds, const std::function<bool()>& product, const std::function<bool()>& floor,
                    const std::function<void()>& roundDone);

// Runs the rounds: in even rounds the product first, in odd ones the floor.
// Each side returns its milliseconds for one round, negative when it could
// not do its work; then the rounds stop and the result is false.
bool Interleave(Comparison& comparison, int rounds, const std::function<double()>& product,
                const std::function<double()>& floor);

// The header of a benchmark's output: what it compares, rounds and load.
void PrintHeader(const char* benchmark, int rounds);

}  // namespace tarvel::bench
