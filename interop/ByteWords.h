#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Texts looked through eight bytes at a time, as an import or an export
// looks at every byte of thousands of entries. A word's marks are the high
// bits of the bytes a test picks out, and of no others.
namespace tarvel::ByteWords {

using Word = std::uint64_t;

constexpr Word kLowBits = 0x0101010101010101u;
constexpr Word kLow7 = 0x7F7F7F7F7F7F7F7Fu;
constexpr Word kHighBits = ~kLow7;

// Bytes beyond ASCII.
constexpr Word High(Word word) { return word & kHighBits; }

// Zero bytes; exact, with no carry from one byte into the next.
constexpr Word Zero(Word word) { return ~(((word & kLow7) + kLow7) | word | kLow7); }

constexpr Word Equal(Word word, char c) { return Zero(word ^ (kLowBits * static_cast<unsigned char>(c))); }

// Bytes below the limit, which is at most 0x80.
constexpr Word Below(Word word, unsigned char limit) {
    return ~(((word & kLow7) + kLowBits * (0x80 - limit)) | word) & kHighBits;
}

// The place in the word of its first marked byte; marks there must be.
inline std::size_t FirstOf(Word marked) {
    // The build's targets are little-endian: the first byte is the lowest.
    return static_cast<std::size_t>(__builtin_ctzll(marked)) / 8;
}

// The word the bytes begin; they must be that many.
inline Word WordAt(const char* bytes) {
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The text's last bytes, fewer than a word, padded with zero bytes: the word
// that ends the text shifted, without a call to copy them, where the text
// is that long.
inline Word LastBytes(std::string_view text, std::size_t count) {
    Word word = 0;
    if (text.size() >= sizeof word) {
        std::memcpy(&word, text.data() + text.size() - sizeof word, sizeof word);
        return word >> (8 * (sizeof word - count));
    }
    for (std::size_t at = text.size(); at > text.size() - count;)
        word = word << 8 | static_cast<unsigned char>(text[--at]);
    return word;
}

// Where the first byte that the marks pick out stands; the text's size when
// none. The last bytes are looked at as a word padded with zero bytes: marks
// of the padding stand at the text's size at the earliest.
template <class Marks>
std::size_t FirstMarked(std::string_view text, Marks marks) {
    std::size_t at = 0;
    Word marked = 0;
    for (; at + sizeof(Word) <= text.size(); at += sizeof(Word))
        if ((marked = marks(WordAt(text.data() + at))) != 0)
            break;
    if (marked == 0 && at < text.size())
        marked = marks(LastBytes(text, text.size() - at));
    return marked == 0 ? text.size() : at + FirstOf(marked);
}

// How many bytes of the text the marks pick out.
template <class Marks>
std::size_t CountMarked(std::string_view text, Marks marks) {
    // A word's marks moved to the low bits sum up in its top byte.
    const auto count = [](Word marked) { return static_cast<std::size_t>(((marked >> 7) * kLowBits) >> 56); };
    std::size_t counted = 0;
    std::size_t at = 0;
    for (; at + sizeof(Word) <= text.size(); at += sizeof(Word))
        counted += count(marks(WordAt(text.data() + at)));
    // The padding's marks are left out.
    if (const auto last = text.size() - at; last > 0)
        counted += count(marks(LastBytes(text, last)) & ((Word{1} << (8 * last)) - 1));
    return counted;
}

// Copies a word of bytes whole, where the room holds it; how many of them,
// from the first, the marks leave unpicked. The caller takes those and
// writes over the rest.
template <class Marks>
std::size_t CopyUnmarked(const char* from, char* to, Marks marks) {
    const auto word = WordAt(from);
    std::memcpy(to, &word, sizeof word);
    const auto marked = marks(word);
    return marked == 0 ? sizeof word : FirstOf(marked);
}

}  // namespace tarvel::ByteWords
