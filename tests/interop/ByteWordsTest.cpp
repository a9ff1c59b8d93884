// The eight-byte scan finds the first byte its test picks out, and counts
// them, wherever they stand: in a whole word, across a word's edge, in the
// padded last word.
#include <gtest/gtest.h>

#include <string>

#include "interop/ByteWords.h"

using namespace tarvel;
using namespace tarvel::ByteWords;

namespace {

enum class Picks { High, LineFeed, Control, Quote };

Word MarksOf(Picks test, Word word) {
    switch (test) {
        case Picks::High: return High(word);
        case Picks::LineFeed: return Equal(word, '\n');
        case Picks::Control: return Below(word, 0x20);
        case Picks::Quote: return Equal(word, '"');
    }
    return 0;
}

struct Case {
    const char* name;
    std::string text;
    Picks test;
    std::size_t first;
    std::size_t count;
};

TEST(ByteWords, FirstMarkedFindsTheFirstPickedByte) {
    const std::string eight = "abcdefgh";
    const Case cases[] = {
        {"empty", "", Picks::High, 0, 0},
        {"none in whole words", eight + eight, Picks::High, 16, 0},
        {"none in a short text", "abc", Picks::Control, 3, 0},
        {"first byte", "\x80" + eight, Picks::High, 0, 1},
        {"last byte of a word", "abcdefg\n" + eight, Picks::LineFeed, 7, 1},
        {"first byte of the second word", eight + "\nb", Picks::LineFeed, 8, 1},
        {"last byte of a whole text", eight + "abcdefg\xFF", Picks::High, 15, 1},
        {"last byte of the padded word", eight + "ab\"", Picks::Quote, 10, 1},
        {"padding is no control", eight + "abc", Picks::Control, 11, 0},
        {"the earlier of two", "ab\x01" "cd\x1F", Picks::Control, 2, 2},
        {"high bytes are no line feed", "\x8A\x8A\x8A\x8A\x8A\x8A\x8A\x8A\n", Picks::LineFeed, 8, 1},
        {"high bytes are no quote", "\xA2\xA2\xA2\"", Picks::Quote, 3, 1},
        {"high bytes are no control", "\x80\x9F\xFF\x81\x90\x85\x8D\x8A\x7F ", Picks::Control, 10, 0},
        {"a space is no control", "        \x1F", Picks::Control, 8, 1},
        {"a zero byte is one", std::string("abc\0d", 5), Picks::Control, 3, 1},
        {"every byte of whole and padded words", std::string(11, '"'), Picks::Quote, 0, 11},
        {"a byte before 0x80 is not high", "\x7F\x7F\x7F\x7F\x7F\x7F\x7F\x7F\x7F\x80", Picks::High, 9, 1},
    };
    for (const auto& c : cases) {
        const auto marks = [&](Word word) { return MarksOf(c.test, word); };
        EXPECT_EQ(FirstMarked(c.text, marks), c.first) << c.name;
        EXPECT_EQ(CountMarked(c.text, marks), c.count) << c.name;
    }
}

}  // namespace
