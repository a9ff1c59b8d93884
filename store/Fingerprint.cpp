#include "store/Fingerprint.h"

#include <cstring>

namespace {
constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
constexpr int kRotation = 23;
constexpr std::size_t kWord = sizeof(std::uint64_t);

std::uint64_t Step(std::uint64_t state, std::uint64_t word) {
    return (((state << kRotation) | (state >> (64 - kRotation))) ^ word) * kMultiplier;
}
}  // namespace

// A word at a time, so that it costs little beside reading the bytes.
std::uint64_t FingerprintOf(std::string_view bytes) {
    std::uint64_t state = Step(0, bytes.size());
    std::size_t at = 0;
    for (; at + kWord <= bytes.size(); at += kWord) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, kWord);
        state = Step(state, word);
    }
    std::uint64_t tail = 0;
    if (at < bytes.size())
        std::memcpy(&tail, bytes.data() + at, bytes.size() - at);
    return Step(state, tail);
}
