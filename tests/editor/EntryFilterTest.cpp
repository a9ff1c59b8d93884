// Which entries a filter text keeps, and which runs of a label it matches.
#include <gtest/gtest.h>

#include "editor/EntryFilter.h"

#include <string>
#include <vector>

using namespace tarvel;

namespace {

AutotextEntry Entry(std::string title, std::string shortcut, std::string description, std::string code) {
    AutotextEntry entry;
    entry.title = std::move(title);
    entry.shortcut = std::move(shortcut);
    entry.description = std::move(description);
    entry.code = std::move(code);
    return entry;
}

const std::vector<AutotextEntry> kEntries{
    Entry("for loop", "fori", "A counting loop.", "for (int i = 0; i < n; ++i) {\r\n}"),
    Entry("class declaration", "cls", "", "class $Name$ {\r\n};"),
    Entry("", "main", "Program entry", "int main() {\r\n    return 0;\r\n}"),
    Entry("Header guard", "", "", "#ifndef $GUARD$\r\n#endif"),
};

struct FilterCase {
    const char* text;
    std::vector<bool> kept;
};

class FilterCases : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterCases, KeepsTheEntriesThatHoldEveryWord) {
    const EntryFilter filter(GetParam().text, EntryFilter::AsciiCaseFold());
    std::vector<bool> kept;
    for (const AutotextEntry& entry : kEntries)
        kept.push_back(filter.Matches(entry));
    EXPECT_EQ(kept, GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    EntryFilter, FilterCases,
    ::testing::Values(FilterCase{"", {true, true, true, true}},                   // nothing typed
                      FilterCase{" \t ", {true, true, true, true}},               // blanks only
                      FilterCase{"LOOP", {true, false, false, false}},            // title, any case
                      FilterCase{"cls", {false, true, false, false}},             // shortcut
                      FilterCase{"program", {false, false, true, false}},         // description
                      FilterCase{"ifndef", {false, false, false, true}},          // code
                      FilterCase{"guard header", {false, false, false, true}},    // every word, any order
                      FilterCase{"loop  class", {false, false, false, false}},    // words of two entries
                      FilterCase{"return 0;", {false, false, true, false}},       // punctuation is text
                      FilterCase{"{", {true, true, true, false}},                 // most entries
                      FilterCase{"zebra", {false, false, false, false}},          // no match
                      FilterCase{"n", {true, true, true, true}}));                // every entry

TEST(EntryFilter, FoldsByTheGivenTable) {
    EntryFilter::CaseFold fold = EntryFilter::AsciiCaseFold();
    fold[0xC4] = 0xE4;  // A and a with diaeresis in Western code pages
    const EntryFilter filter("\xC4rger", fold);
    EXPECT_TRUE(filter.Matches(Entry("\xE4rger", "", "", "")));
    EXPECT_FALSE(EntryFilter("\xC4rger", EntryFilter::AsciiCaseFold()).Matches(Entry("\xE4rger", "", "", "")));
}

TEST(EntryFilter, MarksEveryRunOfTheLabelThatAWordMatches) {
    const EntryFilter filter("o LO", EntryFilter::AsciiCaseFold());
    using Spans = std::vector<EntryFilter::Span>;
    EXPECT_EQ(filter.SpansIn("for loop"), (Spans{{1, 1}, {4, 3}}));
    EXPECT_EQ(filter.SpansIn("cls"), Spans{});
    EXPECT_EQ(EntryFilter("", EntryFilter::AsciiCaseFold()).SpansIn("for loop"), Spans{});
}

}  // namespace
