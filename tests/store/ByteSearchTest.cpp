#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "store/ByteSearch.h"

using namespace tarvel;

namespace {

// The mask of the chunk at the place where its bytes equal the byte, and
// where a line feed follows no CR (the kind of test the reader combines).
struct Masks {
    unsigned equal;
    unsigned loneLineFeed;
};

[[gnu::target("sse2")]] Masks MasksAt(std::string_view text, std::size_t at, char byte, bool half) {
    const Chunk here = half ? LoadHalfChunk(text.data() + at) : LoadChunk(text.data() + at);
    const Chunk before = half ? LoadHalfChunk(text.data() + at - 1) : LoadChunk(text.data() + at - 1);
    return {MatchMask(here == static_cast<unsigned char>(byte)), MatchMask((here == '\n') & (before != '\r'))};
}

// Every byte of a chunk, or of half a chunk, has its bit, the first byte the
// lowest, however the chunk stands in the text; a byte beyond ASCII matches
// itself only.
TEST(ByteSearch, ChunkMatchesGiveOneBitPerByteFirstLowest) {
    if (!ChunksSupported())
        GTEST_SKIP() << "no SSE2";
    struct Case {
        const char* what;
        std::string text;
        std::size_t at;
        char byte;
        unsigned equal;
        unsigned loneLineFeed;
        std::size_t first;  // of the equal bytes
        bool half = false;
    };
    const std::string plain(40, 'x');
    const auto with = [&](std::string text, std::size_t place, char byte) {
        text[place] = byte;
        return text;
    };
    const Case cases[] = {
        {"no match", plain, 1, '\n', 0, 0, 0},
        {"first byte", with(plain, 1, '\n'), 1, '\n', 0x0001, 0x0001, 0},
        {"last byte", with(plain, 16, '\n'), 1, '\n', 0x8000, 0x8000, 15},
        {"past the chunk", with(plain, 17, '\n'), 1, '\n', 0, 0, 0},
        {"before the chunk", with(with(plain, 16, '\n'), 0, '\n'), 1, '\n', 0x8000, 0x8000, 15},
        {"second chunk", with(plain, 20, '\f'), 17, '\f', 0x0008, 0, 3},
        {"several", with(with(plain, 5, '\n'), 9, '\n'), 1, '\n', 0x0110, 0x0110, 4},
        {"CR before", with(with(plain, 7, '\r'), 8, '\n'), 1, '\n', 0x0080, 0, 7},
        {"CR before the chunk", with(with(plain, 0, '\r'), 1, '\n'), 1, '\n', 0x0001, 0, 0},
        {"beyond ASCII", with(with(plain, 3, '\xE9'), 4, 'i'), 1, '\xE9', 0x0004, 0, 2},
        {"all beyond ASCII", std::string(40, '\xFF'), 1, '\xFF', 0xFFFF, 0, 0},
        {"ASCII among bytes beyond", with(std::string(40, '\xE9'), 11, 'i'), 1, 'i', 0x0400, 0, 10},
        {"last byte of a half chunk", with(plain, 8, '\n'), 1, '\n', 0x0080, 0x0080, 7, true},
        {"past a half chunk", with(plain, 9, '\n'), 1, '\n', 0, 0, 0, true},
        {"all of a half chunk", std::string(40, '\xFF'), 1, '\xFF', 0x00FF, 0, 0, true},
    };
    for (const auto& test : cases) {
        const auto masks = MasksAt(test.text, test.at, test.byte, test.half);
        EXPECT_EQ(masks.equal, test.equal) << test.what;
        EXPECT_EQ(masks.loneLineFeed, test.loneLineFeed) << test.what;
        if (test.equal != 0) {
            EXPECT_EQ(FirstMatch(masks.equal), test.first) << test.what;
        }
    }
}

}  // namespace

// The Windows build's byte search looks at sixteen bytes at a time (the
// native one is the library's): each place in a chunk and across chunks, a
// byte beyond ASCII, and every starting point give what the library gives.
TEST(ByteSearch, FindsWhatTheLibrarySearchFinds) {
    for (const char byte : {'\n', '\f', '\xE9'}) {
        for (std::size_t size = 0; size <= 40; ++size) {
            for (std::size_t place = 0; place <= size; ++place) {
                std::string text(size, 'x');
                if (place < size)
                    text[place] = byte;
                if (size > 33)
                    text[33] = byte;
                for (std::size_t from = 0; from <= size + 1; ++from)
                    ASSERT_EQ(FindByte(text, byte, from), std::string_view(text).find(byte, from))
                        << "size " << size << ", byte at " << place << ", from " << from;
            }
        }
    }
}
