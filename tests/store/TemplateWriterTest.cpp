#include <gtest/gtest.h>

#include "store/TemplateWriter.h"
#include "tests/store/StoreTestSupport.h"

using namespace tarvel;

using TemplateWriter::FormatLanguageRecords;

namespace {

AutotextEntry MakeEntry(std::string title, std::string shortcut, std::string code, std::string description = {}) {
    AutotextEntry entry;
    entry.title = std::move(title);
    entry.shortcut = std::move(shortcut);
    entry.code = std::move(code);
    entry.description = std::move(description);
    return entry;
}

std::string BytesOf(std::vector<AutotextEntry*> entries) { return FormatLanguageRecords(entries); }

TEST(TemplateWriter, WritesReadmeBlockThenRecordWithCrLf) {
    auto entry = MakeEntry("swap values", "swp", "int t = a;\r\na = b;", "Swap two values\r\n \r\n");
    EXPECT_EQ(BytesOf({&entry}),
              "readme:\r\nSwap two values\r\n\f\r\n"
              "a:swap values:swp:\r\nint t = a;\r\na = b;\f\r\n");
}

TEST(TemplateWriter, LeavesLfInCodeAndRestoresCrLfInDescription) {
    auto entry = MakeEntry("t\r\nx", "s", "a\r\nb", "one\r\ntwo");
    BytesOf({&entry});
    EXPECT_EQ(entry.code, "a\nb");
    EXPECT_EQ(entry.title, "t\nx");
    EXPECT_EQ(entry.description, "one\r\ntwo");
}

// A save leaves title, shortcut and code with LF breaks and the description
// with CR LF ones, whichever text held them and wherever they stood: within
// the written description or in the white space after it, and also in an
// entry that is not written.
TEST(TemplateWriter, SaveLeavesEachTextWithItsLineBreaks) {
    struct Case {
        AutotextEntry entry;
        AutotextEntry after;
    };
    const Case cases[] = {
        {MakeEntry("t", "s\r\nx", "c"), MakeEntry("t", "s\nx", "c")},
        {MakeEntry("t", "s", "c\r\n", "d\r\n"), MakeEntry("t", "s", "c\n", "d\r\n")},
        {MakeEntry("t", "s", "c", "d\n"), MakeEntry("t", "s", "c", "d\r\n")},
        {MakeEntry("t", "s", "c", "d \n\t\n"), MakeEntry("t", "s", "c", "d \r\n\t\r\n")},
        {MakeEntry("t", "s", "c", "\n"), MakeEntry("t", "s", "c", "\r\n")},
        {MakeEntry("", "", "", "d\ne"), MakeEntry("", "", "", "d\r\ne")},
        {MakeEntry("t\r", "\ns", "c\r\r\n", "\r\n\n"), MakeEntry("t\r", "\ns", "c\r\n", "\r\n\r\n")},
    };
    for (const auto& test : cases) {
        auto entry = test.entry;
        BytesOf({&entry});
        const auto shown = testing::PrintToString(test.entry.title + "|" + test.entry.shortcut + "|" + test.entry.code +
                                                  "|" + test.entry.description);
        EXPECT_EQ(entry.title, test.after.title) << shown;
        EXPECT_EQ(entry.shortcut, test.after.shortcut) << shown;
        EXPECT_EQ(entry.code, test.after.code) << shown;
        EXPECT_EQ(entry.description, test.after.description) << shown;
    }
}

TEST(TemplateWriter, SkipsEmptyEntriesAndOtherKinds) {
    auto empty = MakeEntry("", "", "", "only a description");
    auto otherKind = MakeEntry("t", "s", "c");
    otherKind.kind = 1;
    auto kept = MakeEntry("", "k", "");
    EXPECT_EQ(BytesOf({&empty, &otherKind, nullptr, &kept}), "a::k:\r\n\f\r\n");
}

TEST(TemplateWriter, ShortcutOnlyAndTitleOnlyRecords) {
    auto shortcutOnly = MakeEntry("", "sc", "");
    auto titleOnly = MakeEntry("Title", "", "");
    EXPECT_EQ(BytesOf({&shortcutOnly, &titleOnly}), "a::sc:\r\n\f\r\na:Title::\r\n\f\r\n");
}

// Read back, an empty description line is the empty description, which the
// next save would write without the block.
TEST(TemplateWriter, WhiteSpaceDescriptionGivesNoReadmeBlock) {
    auto entry = MakeEntry("", "sc", "x", " \t\r\n");
    EXPECT_EQ(BytesOf({&entry}), "a::sc:\r\nx\f\r\n");
}

TEST(TemplateWriter, EmptyLanguageWritesNothing) { EXPECT_EQ(BytesOf({}), ""); }

TEST(TemplateWriter, MixedLineBreaksInDescriptionStayStableOverSaves) {
    auto entry = MakeEntry("", "sc", "x", "a\r\nb\nc");
    const auto first = BytesOf({&entry});
    EXPECT_EQ(entry.description, "a\r\nb\r\nc");
    EXPECT_EQ(first, "readme:\r\na\r\nb\r\nc\r\n\f\r\na::sc:\r\nx\f\r\n");
    EXPECT_EQ(BytesOf({&entry}), first);
}

TEST(TemplateWriter, SecondSaveWritesTheSameBytes) {
    auto a = MakeEntry("A title", "a", "line 1\r\n\r\nline 3\r\n", "desc\r\n");
    auto b = MakeEntry("", "b", "\r\nleading empty line");
    const auto first = BytesOf({&a, &b});
    EXPECT_EQ(BytesOf({&a, &b}), first);
}

// Reading a written file and writing it again gives the same bytes, and the
// entries read are the ones written (descriptions as the writer stores them).
TEST(TemplateWriter, WrittenFileReadsBackToTheSameEntries) {
    auto a = MakeEntry("A title", "a", "line 1\r\n\r\nline 3\r\n", "desc\r\n\r\nmore  ");
    auto b = MakeEntry("Only title", "", "");
    auto c = MakeEntry("", "c", "x \r lone cr\r\n%", "");
    auto d = MakeEntry("Title and description", "", "", "described");
    const AutotextEntry* originals[] = {&a, &b, &c, &d};
    std::vector<std::string> codes;
    for (auto* entry : originals)
        codes.push_back(entry->code);
    const auto written = BytesOf({&a, &b, &c, &d});

    auto sink = storetest::ReadTemplate(written);
    auto read = sink.Entries();
    ASSERT_EQ(read.size(), 4u);
    for (std::size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read[i]->title, originals[i]->title);
        EXPECT_EQ(read[i]->shortcut, originals[i]->shortcut);
        EXPECT_EQ(read[i]->code, codes[i]);
    }
    EXPECT_EQ(read[0]->description, "desc\r\n\r\nmore");
    EXPECT_EQ(read[1]->description, "");
    EXPECT_EQ(read[3]->description, "described");
    EXPECT_EQ(BytesOf(read), written);
}

}  // namespace

// Lone LFs gain a CR wherever they stand: the writer copies sixteen bytes at
// a time, then eight, so each break is tried at each place of a chunk, of a
// half chunk and across them.
TEST(TemplateWriter, EveryLoneLineFeedGainsACarriageReturn) {
    const auto expected = [](const std::string& code) {
        std::string written;
        for (std::size_t i = 0; i < code.size(); ++i) {
            if (code[i] == '\n' && (i == 0 || code[i - 1] != '\r'))
                written += '\r';
            written += code[i];
        }
        return "a:t:s:\r\n" + written + "\f\r\n";
    };
    for (const std::size_t length : {36, 44}) {
        for (const std::string breakText : {"\n", "\r\n", "\r", "\n\n", "\r\r\n"}) {
            for (std::size_t place = 0; place <= length; ++place) {
                std::string code(length, 'x');
                code.insert(place, breakText);
                auto entry = MakeEntry("t", "s", code);
                EXPECT_EQ(BytesOf({&entry}), expected(code)) << testing::PrintToString(breakText) << " at " << place;
            }
        }
    }
}
