#include <gtest/gtest.h>

#include "store/TemplateReader.h"
#include "tests/store/StoreTestSupport.h"

using storetest::ReadTemplate;
using namespace std::string_literals;

namespace {

const std::string kSwapRecord =
    "readme:\r\nSwap two values\r\n\f\r\n"
    "a:swap values:swp:\r\nint t = a;\r\na = b;\f\r\n";

TEST(TemplateReader, ReadsRecordWithDescriptionTitleShortcutAndCode) {
    const auto sink = ReadTemplate(kSwapRecord, 3);
    ASSERT_EQ(sink.items.size(), 1u);
    const auto& entry = *sink.items[0].entry;
    EXPECT_EQ(sink.items[0].label, "swp");
    EXPECT_EQ(entry.title, "swap values");
    EXPECT_EQ(entry.shortcut, "swp");
    EXPECT_EQ(entry.code, "int t = a;\r\na = b;");
    EXPECT_EQ(entry.description, "Swap two values");
    EXPECT_EQ(entry.language, 3);
    EXPECT_EQ(entry.ordinal, 0);
    EXPECT_EQ(entry.kind, 0);
}

TEST(TemplateReader, LfOnlyFilesReadLikeCrLfFiles) {
    std::string lfOnly = kSwapRecord;
    for (auto at = lfOnly.find("\r\n"); at != std::string::npos; at = lfOnly.find("\r\n", at))
        lfOnly.erase(at, 1);
    const auto crlf = ReadTemplate(kSwapRecord);
    const auto lf = ReadTemplate(lfOnly);
    ASSERT_EQ(lf.items.size(), 1u);
    EXPECT_EQ(lf.items[0].entry->code, crlf.items[0].entry->code);
    EXPECT_EQ(lf.items[0].entry->description, crlf.items[0].entry->description);
}

// A byte order mark no longer turns the first header into an unknown key,
// and old Macintosh text ends its lines with CR alone.
TEST(TemplateReader, ByteOrderMarkIsSkippedAndCarriageReturnsAloneEndLines) {
    std::string crOnly = kSwapRecord;
    storetest::ReplaceEach(crOnly, "\r\n", "\r");
    for (const auto& bytes : {"\xEF\xBB\xBF"s + kSwapRecord, crOnly, "\xEF\xBB\xBF"s + crOnly}) {
        const auto sink = ReadTemplate(bytes);
        ASSERT_EQ(sink.items.size(), 1u) << bytes;
        EXPECT_EQ(sink.items[0].label, "swp");
        EXPECT_EQ(sink.items[0].entry->code, "int t = a;\r\na = b;");
        EXPECT_EQ(sink.items[0].entry->description, "Swap two values");
    }
}

// What the next save cannot write back: text that became part of no entry.
TEST(TemplateReader, TellsWhetherTextWasDropped) {
    const std::pair<std::string, bool> cases[] = {
        {"a::k:\r\nx\f\r\n", false},
        {"\r\n\r\na::k:\r\nx\f\r\n\r\n", false},
        {"separator\r\na::k:\r\nx\f\r\n", false},
        {"readme:\r\nAutotext and Code Templates for Quillon X\r\n\f\r\na::k:\r\nx\f\r\n", false},
        {"a:only a title::\r\n\f\r\n", false},
        {"stray text\r\na::k:\r\nx\f\r\n", true},
        {"a:t:k:extra\r\nx\f\r\n", true},
        {"a:t:k k:\r\nx\f\r\n", true},
        {"a::k:\r\nx\f after\r\n", true},
        {"readme: note\r\nd\r\n\f\r\na::k:\r\nx\f\r\n", true},
        {"readme:\r\nno record follows\r\n\f\r\n", true},
        {"other:header\r\nx\f\r\na::k:\r\nx\f\r\n", true},
        {"a::k:\r\nnever ended", true},
    };
    for (const auto& [bytes, dropped] : cases) {
        storetest::RecordingSink sink;
        TemplateReader reader(0, sink);
        reader.Read(bytes);
        EXPECT_EQ(reader.DroppedText(), dropped) << bytes;
    }
}

TEST(TemplateReader, OrdinalsCountEntriesInFileOrder) {
    const auto sink = ReadTemplate("a:one:1:\nx\f\na:two:2:\ny\f\na:three:3:\nz\f\n");
    ASSERT_EQ(sink.Labels(), (std::vector<std::string>{"1", "2", "3"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(sink.items[i].entry->ordinal, i);
}

TEST(TemplateReader, LabelIsTitleWhenShortcutIsEmpty) {
    const auto sink = ReadTemplate("a:main function::\nint main() {}\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].label, "main function");
    EXPECT_EQ(sink.items[0].entry->shortcut, "");
}

TEST(TemplateReader, HeaderFieldsAreTrimmedAndExtraFieldsIgnored) {
    const auto sink = ReadTemplate("a:  spaced title \t:  sc  :ignored:more\ncode\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->title, "spaced title");
    EXPECT_EQ(sink.items[0].entry->shortcut, "sc");
}

TEST(TemplateReader, ShortcutWithSpaceIsStoredEmptyButLabelsTheItem) {
    const auto sink = ReadTemplate("a:Title:a b:\ncode\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].label, "a b");
    EXPECT_EQ(sink.items[0].entry->shortcut, "");
    EXPECT_EQ(sink.items[0].entry->title, "Title");
}

TEST(TemplateReader, PercentZeroBecomesSelected) {
    const auto sink = ReadTemplate("a::b:\n<b>%0</b>%0\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->code, "<b>$selected$</b>$selected$");
}

TEST(TemplateReader, ColonLinesInsideABlockStayCode) {
    const auto sink = ReadTemplate("a::sw:\nswitch (x) {\ncase 1:\na:b:c:\n}\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->code, "switch (x) {\r\ncase 1:\r\na:b:c:\r\n}");
}

TEST(TemplateReader, EmptyLineBeforeHeaderStartsTheNextCode) {
    const auto sink = ReadTemplate("a::one:\nx\f\n\na::two:\ny\f\n");
    ASSERT_EQ(sink.items.size(), 2u);
    EXPECT_EQ(sink.items[1].entry->code, "\r\ny");
}

TEST(TemplateReader, StrayLineAfterFirstBlockBecomesAnEntry) {
    const auto sink = ReadTemplate("a::one:\nx\f\nstray line\n");
    ASSERT_EQ(sink.items.size(), 2u);
    EXPECT_EQ(sink.items[1].label, "");
    EXPECT_EQ(sink.items[1].entry->code, "stray line\r\n");
    EXPECT_EQ(sink.items[1].entry->title, "");
}

TEST(TemplateReader, TextBeforeFirstHeaderIsDiscarded) {
    const auto sink = ReadTemplate("just text\nmore text\na::sc:\ncode\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->code, "code");
}

TEST(TemplateReader, UnknownHeaderBlockBecomesAnonymousEntryOnceStarted) {
    const auto before = ReadTemplate("other:\nline\f\n");
    EXPECT_TRUE(before.items.empty());
    const auto after = ReadTemplate("a::sc:\nx\f\nother:\nline\f\n");
    ASSERT_EQ(after.items.size(), 2u);
    EXPECT_EQ(after.items[1].entry->code, "line");
    EXPECT_EQ(after.items[1].entry->shortcut, "");
}

TEST(TemplateReader, LastRecordWithoutFormFeedIsDropped) {
    const auto sink = ReadTemplate("a::one:\nx\f\na::two:\nno end\n");
    EXPECT_EQ(sink.Labels(), std::vector<std::string>{"one"});
}

TEST(TemplateReader, OldHeaderTextsAreDroppedOnlyInsideReadme) {
    const auto sink = ReadTemplate(
        "readme:\nAutotext and Code Templates for Quillon X\nreal text\n"
        "Code Templates follow. All entry names contain a space.\n\f\n"
        "a::sc:\nAutoText follows. None of the entry names contain a space.\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->description, "real text");
    EXPECT_EQ(sink.items[0].entry->code, "AutoText follows. None of the entry names contain a space.");
}

TEST(TemplateReader, EmptyLinesInDescriptionAreKept) {
    const auto sink = ReadTemplate("readme:\nfirst\n\nthird\n\f\na::sc:\nx\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->description, "first\r\n\r\nthird");
}

// A title-only record is what the writer produces for an entry with just a
// title; it must come back as that entry, with its own description.
TEST(TemplateReader, TitleOnlyRecordIsAnEntryWithItsOwnDescription) {
    const auto sink = ReadTemplate(
        "readme:\nabout the title\n\f\na:Only a title::\n\f\n"
        "a::next:\nnext code\f\n");
    ASSERT_EQ(sink.items.size(), 2u);
    EXPECT_EQ(sink.items[0].label, "Only a title");
    EXPECT_EQ(sink.items[0].entry->title, "Only a title");
    EXPECT_EQ(sink.items[0].entry->description, "about the title");
    EXPECT_EQ(sink.items[1].entry->description, "");
    EXPECT_EQ(sink.items[1].entry->ordinal, 1);
}

// Between records a marker line starts the file, so that a stray line after
// it becomes an entry; the marker itself is stored nowhere.
TEST(TemplateReader, SeparatorMarkerBetweenRecordsStartsTheFile) {
    const auto sink = ReadTemplate("  separator \t\nstray line\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->code, "stray line\r\n");
    EXPECT_TRUE(ReadTemplate("stray line\n").items.empty());
}

// Inside a record or readme block the word alone is what the user typed: the
// writer writes it as a line of its own, and it must come back.
TEST(TemplateReader, SeparatorWordInsideARecordIsContent) {
    const auto sink = ReadTemplate("readme:\nabove\nseparator\n\f\na::sc:\nbefore\n  separator \t\nafter\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->code, "before\r\n  separator \t\r\nafter");
    EXPECT_EQ(sink.items[0].entry->description, "above\r\nseparator");
}

// A block of another key is no record: there the marker still counts.
TEST(TemplateReader, SeparatorInsideAnUnknownBlockIsAMarker) {
    const auto sink = ReadTemplate("other:\nseparator\npiled\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->code, "piled");
}

TEST(TemplateReader, LinesThatMerelyContainSeparatorAreKept) {
    const auto sink = ReadTemplate(
        "readme:\nuse a separator here\n\f\n"
        "a::join:\nstd::string separator = \",\";\nseparator;\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->description, "use a separator here");
    EXPECT_EQ(sink.items[0].entry->code, "std::string separator = \",\";\r\nseparator;");
}

// The writer puts the form feed right after the code's last line, which may
// be the word itself: that line ends the block and stays code.
TEST(TemplateReader, SeparatorWordAsLastCodeLineEndsTheRecord) {
    const auto sink = ReadTemplate("a::sep:\n// a line\nseparator\f\nreadme:\nnext one\n\f\na::two:\nx\f\n");
    ASSERT_EQ(sink.items.size(), 2u);
    EXPECT_EQ(sink.items[0].entry->code, "// a line\r\nseparator");
    EXPECT_EQ(sink.items[1].entry->description, "next one");
}

TEST(TemplateReader, RecordWithBlankTitleKeepsItsDescription) {
    const auto sink = ReadTemplate("readme:\nmine\n\f\na: ::\n\f\na::second:\ny\f\n");
    ASSERT_EQ(sink.items.size(), 2u);
    EXPECT_EQ(sink.items[0].entry->description, "mine");
    EXPECT_EQ(sink.items[1].entry->description, "");
}

TEST(TemplateReader, LineStartingWithColonOpensAHeaderlessBlock) {
    const auto sink = ReadTemplate("a::sc:\nx\f\n:nothing\ninside\f\n");
    ASSERT_EQ(sink.items.size(), 2u);
    EXPECT_EQ(sink.items[1].entry->code, "inside");
}

TEST(TemplateReader, DescriptionPendingAtEndOfFileIsDropped) {
    const auto sink = ReadTemplate("a::sc:\nx\f\nreadme:\norphan\n\f\n");
    EXPECT_EQ(sink.Labels(), std::vector<std::string>{"sc"});
}

TEST(TemplateReader, HostileBytesNeverStopTheReader) {
    std::string bytes = "a:t\0i:s\0c:\n\0\0code\r\rmore\r\n\f\f\f\n"s;
    bytes += std::string(10 * 1024 * 1024, 'x') + "\f\n";
    bytes += std::string(1000, '\f');
    const auto sink = ReadTemplate(bytes);
    ASSERT_EQ(sink.items.size(), 2u);
    EXPECT_EQ(sink.items[0].entry->shortcut, "s\0c"s);
    EXPECT_EQ(sink.items[0].entry->code, "\0\0code\r\rmore\r\n"s);
    EXPECT_EQ(sink.items[1].entry->code.size(), 10u * 1024 * 1024);
}

TEST(TemplateReader, EmptyAndFormFeedOnlyInputsCreateNothing) {
    EXPECT_TRUE(ReadTemplate("").items.empty());
    EXPECT_TRUE(ReadTemplate(std::string(4096, '\f')).items.empty());
    EXPECT_TRUE(ReadTemplate("\n\n\n").items.empty());
}

}  // namespace
