#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include <emmintrin.h>

namespace tarvel {

// Sixteen bytes of a text compared at once (a vector of GCC and Clang): the
// store looks at every byte of every file it reads or writes this way. A
// comparison gives each byte all ones where it matched; MatchMask turns that
// into one bit per byte, the first byte lowest, and FirstMatch names the
// place of the lowest. The functions that use them are compiled for SSE2,
// which every x86-64 processor has; the 32-bit build asks ChunksSupported.
constexpr std::size_t kChunkSize = 16;
using Chunk = unsigned char __attribute__((vector_size(kChunkSize)));

[[gnu::target("sse2")]] inline Chunk LoadChunk(const char* at) {
    Chunk chunk;
    std::memcpy(&chunk, at, kChunkSize);
    return chunk;
}

// Eight bytes in the lower half of a chunk whose upper half is zeros, for
// texts whose end is nearer than a chunk: a search for a zero byte must leave
// out the upper half's bits.
constexpr std::size_t kHalfChunkSize = kChunkSize / 2;
[[gnu::target("sse2")]] inline Chunk LoadHalfChunk(const char* at) {
    const __m128i half = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at));
    Chunk chunk;
    std::memcpy(&chunk, &half, kChunkSize);
    return chunk;
}

// Takes what comparing chunks gives, and what & and | of such results give.
template <class Matches>
[[gnu::target("sse2")]] inline unsigned MatchMask(Matches matched) {
    static_assert(sizeof matched == kChunkSize);
    __m128i vector;
    std::memcpy(&vector, &matched, kChunkSize);
    return static_cast<unsigned>(_mm_movemask_epi8(vector));
}

// The mask must hold a match.
inline std::size_t FirstMatch(unsigned mask) { return static_cast<std::size_t>(__builtin_ctz(mask)); }

inline bool ChunksSupported() {
    static const bool supported = __builtin_cpu_supports("sse2");
    return supported;
}

// Where the byte first stands in the text from `from` on; npos when it does
// not. The Windows build looks a chunk at a time: the C library's search it
// would call goes a byte at a time (under Wine, and in the system's msvcrt).
#ifdef _WIN32
std::size_t FindByte(std::string_view text, char byte, std::size_t from = 0) noexcept;
#else
// The C library of the native build searches a vector at a time already.
inline std::size_t FindByte(std::string_view text, char byte, std::size_t from = 0) noexcept {
    return text.find(byte, from);
}
#endif

}  // namespace tarvel
