#include "store/Fingerprint.h"

#include <cstring>

#include "store/ByteSearch.h"

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

namespace {
// The lanes' step multiplies by a 32-bit number: in 32-bit code and in
// SSE2, which has no 64-bit multiply, that is two multiplications, not three.
constexpr std::uint64_t kLaneMultiplier = 0x9E3779B1u;

std::uint64_t LaneStep(std::uint64_t state, std::uint64_t word) {
    return (((state << kRotation) | (state >> (64 - kRotation))) ^ word) * kLaneMultiplier;
}

// Each lane takes every fourth word.
std::size_t LaneWordsFrom(std::string_view bytes, std::uint64_t (&lanes)[kLanes]) {
    std::size_t at = 0;
    for (; at + kLanes * kWord <= bytes.size(); at += kLanes * kWord)
        for (std::size_t lane = 0; lane < kLanes; ++lane)
            lanes[lane] = LaneStep(lanes[lane], WordAt(bytes, at + lane * kWord));
    return at;
}

[[gnu::target("sse2")]] __m128i LaneSteps(__m128i states, const char* words) {
    const __m128i rotated = _mm_or_si128(_mm_slli_epi64(states, kRotation), _mm_srli_epi64(states, 64 - kRotation));
    const __m128i mixed = _mm_xor_si128(rotated, _mm_loadu_si128(reinterpret_cast<const __m128i*>(words)));
    const __m128i multiplier = _mm_set1_epi32(static_cast<int>(kLaneMultiplier));
    const __m128i low = _mm_mul_epu32(mixed, multiplier);
    const __m128i high = _mm_mul_epu32(_mm_srli_epi64(mixed, 32), multiplier);
    return _mm_add_epi64(low, _mm_slli_epi64(high, 32));
}

// The same two lanes to a vector: the words at + 0 and + 8 in one, + 16 and
// + 24 in the other.
[[gnu::target("sse2")]] std::size_t LaneWordsInVectorsFrom(std::string_view bytes, std::uint64_t (&lanes)[kLanes]) {
    __m128i first = _mm_set_epi64x(static_cast<long long>(lanes[1]), static_cast<long long>(lanes[0]));
    __m128i second = _mm_set_epi64x(static_cast<long long>(lanes[3]), static_cast<long long>(lanes[2]));
    std::size_t at = 0;
    for (; at + kLanes * kWord <= bytes.size(); at += kLanes * kWord) {
        first = LaneSteps(first, bytes.data() + at);
        second = LaneSteps(second, bytes.data() + at + 2 * kWord);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes), first);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes + 2), second);
    return at;
}
}  // namespace

// Each lane is one-to-one in its words, and folding the lanes into one state
// is one-to-one in each of them, so a single differing word still shows.
std::uint64_t LaneFingerprintOf(std::string_view bytes) {
    std::uint64_t lanes[kLanes] = {Step(0, bytes.size()), 1, 2, 3};
    const std::size_t at = ChunksSupported() ? LaneWordsInVectorsFrom(bytes, lanes) : LaneWordsFrom(bytes, lanes);
    std::uint64_t state = lanes[0];
    for (std::size_t lane = 1; lane < kLanes; ++lane)
        state = Step(state, lanes[lane]);
    return Finish(state, bytes, at);
}

}  // namespace tarvel
