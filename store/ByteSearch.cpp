#include "store/ByteSearch.h"

#include <cstdint>
#include <cstring>

namespace tarvel {

#ifdef _WIN32
namespace {

constexpr std::size_t kChunk = 16;
// Sixteen bytes compared at once (a vector of GCC and Clang).
using Chunk = unsigned char __attribute__((vector_size(kChunk)));

std::size_t FindByteFrom(const unsigned char* bytes, std::size_t at, std::size_t size, unsigned char byte) {
    for (; at < size; ++at)
        if (bytes[at] == byte)
            return at;
    return std::string_view::npos;
}

// The 32-bit build asks the processor for SSE2 first.
[[gnu::target("sse2")]] std::size_t FindByteInChunksFrom(const unsigned char* bytes, std::size_t at,
                                                        std::size_t size, unsigned char byte) {
    for (; at + kChunk <= size; at += kChunk) {
        Chunk chunk;
        std::memcpy(&chunk, bytes + at, kChunk);
        const auto found = chunk == byte;
        std::uint64_t words[kChunk / sizeof(std::uint64_t)];
        static_assert(sizeof found == sizeof words);
        std::memcpy(words, &found, sizeof words);
        // The first byte found, counted from the low end (x86 is little-endian).
        if (words[0] != 0)
            return at + __builtin_ctzll(words[0]) / 8;
        if (words[1] != 0)
            return at + sizeof(std::uint64_t) + __builtin_ctzll(words[1]) / 8;
    }
    return FindByteFrom(bytes, at, size, byte);
}

}  // namespace

std::size_t FindByte(std::string_view text, char byte, std::size_t from) noexcept {
    static const bool chunked = __builtin_cpu_supports("sse2");
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const auto value = static_cast<unsigned char>(byte);
    return chunked ? FindByteInChunksFrom(bytes, from, text.size(), value)
                   : FindByteFrom(bytes, from, text.size(), value);
}
#endif

}  // namespace tarvel
