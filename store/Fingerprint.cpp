#include "store/Fingerprint.h"

#include <cstring>

namespace tarvel {

namespace {
constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
constexpr int kRotation = 23;
constexpr std::size_t kWord = sizeof(std::uint64_t);
constexpr std::size_t kLanes = 4;

std::uint64_t Step(std::uint64_t state, std::uint64_t word) {
    return (((state << kRotation) | (state >> (64 - kRotation))) ^ word) * kMultiplier;
}

std::uint64_t WordAt(std::string_view bytes, std::size_t at) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + at, kWord);
    return word;
}

// The words from at on, one after the other, then the tail.
std::uint64_t Finish(std::uint64_t state, std::string_view bytes, std::size_t at) {
    for (; at + kWord <= bytes.size(); at += kWord)
        state = Step(state, WordAt(bytes, at));
    std::uint64_t tail = 0;
    if (at < bytes.size())
        std::memcpy(&tail, bytes.data() + at, bytes.size() - at);
    return Step(state, tail);
}
}  // namespace

// A word at a time, so that it costs little beside reading the bytes.
std::uint64_t FingerprintOf(std::string_view bytes) { return Finish(Step(0, bytes.size()), bytes, 0); }

// Each lane is one-to-one in its words, and folding the lanes into one state
// is one-to-one in each of them, so a single differing word still shows.
std::uint64_t LaneFingerprintOf(std::string_view bytes) {
    std::uint64_t lanes[kLanes] = {Step(0, bytes.size()), 1, 2, 3};
    std::size_t at = 0;
    for (; at + kLanes * kWord <= bytes.size(); at += kLanes * kWord)
        for (std::size_t lane = 0; lane < kLanes; ++lane)
            lanes[lane] = Step(lanes[lane], WordAt(bytes, at + lane * kWord));
    std::uint64_t state = lanes[0];
    for (std::size_t lane = 1; lane < kLanes; ++lane)
        state = Step(state, lanes[lane]);
    return Finish(state, bytes, at);
}

}  // namespace tarvel
