#include <gtest/gtest.h>

#include "prompt/PromptText.h"
#include "tests/prompt/ShiftJis.h"

#include <string>

namespace tarvel {
namespace {

struct TextCase {
    const char* what;
    std::string text;
    std::string oneLine;
    std::string shortened;
};

const std::string k35(35, 'n');
const std::string k40 = std::string(35, 'a') + "bcdef";

const TextCase kCases[] = {
    {"plain", "name", "name", "name"},
    {"exactly 35 bytes", k35, k35, k35},
    {"40 bytes", k40, k40, std::string(35, 'a') + "..."},
    {"two lines joined", "first\r\nsecond", "firstsecond", "firstsecond"},
    {"a tab between letters", "a\tb", "a b", "a b"},
    {"surrounding spaces", "  name \t ", "name", "name"},
    {"line breaks only", "\r\n\r\n", "", ""},
    {"cut after trimming", "   " + k35 + "x  ", k35 + "x", k35 + "..."},
    {"alpha tab beta CR LF gamma", "alpha\tbeta\r\ngamma", "alpha betagamma", "alpha betagamma"},
    {"bytes above 127 are no white space", "\xA0x\xE9", "\xA0x\xE9", "\xA0x\xE9"},
};

TEST(PromptText, OneLineAndShortenForDisplayFollowTheRule) {
    for (const TextCase& c : kCases) {
        EXPECT_EQ(OneLine(c.text), c.oneLine) << c.what;
        EXPECT_EQ(ShortenForDisplay(c.text), c.shortened) << c.what;
    }
}

TEST(PromptText, OneLineKeepsALongTextWhole) {
    const std::string path = "C:\\Program Files\\Some Vendor\\Some Product\\bin\\tool.exe";
    EXPECT_EQ(OneLine(" " + path + "\r\n"), path);
    EXPECT_EQ(ShortenForDisplay(path).size(), kDisplayLength + kShortenedMark.size());
}

TEST(PromptText, ShorteningNeverCutsADoubleByteCharacter) {
    std::string twenty;
    for (int i = 0; i < 20; ++i) {
        twenty += "\x93\xFA";
    }
    EXPECT_EQ(ShortenForDisplay(twenty, ShiftJisLeadBytes()), twenty.substr(0, 34) + "...");
    EXPECT_EQ(ShortenForDisplay("a" + twenty, ShiftJisLeadBytes()), "a" + twenty.substr(0, 34) + "...");
}

TEST(PromptText, PastedLinesAreJoinedWithABlank) {
    EXPECT_EQ(JoinLines("alpha\tbeta\r\ngamma"), "alpha beta gamma");
    EXPECT_EQ(JoinLines(" one\n\ntwo\rthree\r\n"), "one two three");
    EXPECT_EQ(JoinLines(std::string(50, 'p')), std::string(50, 'p'));
}

TEST(PromptText, FitToWidthEndsInTheMarkAndCutsBetweenCharacters) {
    const TextWidth bytes = [](std::string_view text) { return static_cast<long>(text.size()); };
    EXPECT_EQ(FitToWidth("Return type", 11, bytes), "Return type");
    EXPECT_EQ(FitToWidth("Return type of the function", 14, bytes), "Return type...");
    EXPECT_EQ(FitToWidth("ab\x93\xFA" "cdef", 6, bytes, ShiftJisLeadBytes()), "ab...");
    EXPECT_EQ(FitToWidth("anything", 2, bytes), "...");
}

TEST(PromptText, InsertAtCaretReplacesASelectionOrInsertsAtTheCaretInView) {
    const CaretInsertion replace = PlanInsertAtCaret({2, 5});
    EXPECT_EQ(replace.replaced, (EditRange{2, 5}));
    EXPECT_FALSE(replace.scrollCaretIntoView);
    const CaretInsertion insert = PlanInsertAtCaret({4, 4});
    EXPECT_EQ(insert.replaced, (EditRange{4, 4}));
    EXPECT_TRUE(insert.scrollCaretIntoView);
}

}  // namespace
}  // namespace tarvel
