#include "store/ByteSearch.h"

namespace tarvel {

#ifdef _WIN32
namespace {

std::size_t FindByteFrom(std::string_view text, std::size_t at, char byte) {
    for (; at < text.size(); ++at)
        if (text[at] == byte)
            return at;
    return std::string_view::npos;
}

[[gnu::target("sse2")]] std::size_t FindByteInChunksFrom(std::string_view text, std::size_t at, char byte) {
    const auto value = static_cast<unsigned char>(byte);
    for (; at + kChunkSize <= text.size(); at += kChunkSize) {
        if (const auto mask = MatchMask(LoadChunk(text.data() + at) == value))
            return at + FirstMatch(mask);
    }
    return FindByteFrom(text, at, byte);
}

}  // namespace

std::size_t FindByte(std::string_view text, char byte, std::size_t from) noexcept {
    return ChunksSupported() ? FindByteInChunksFrom(text, from, byte) : FindByteFrom(text, from, byte);
}
#endif

}  // namespace tarvel
