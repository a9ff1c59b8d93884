#include <gtest/gtest.h>

#include "store/LegacyTemplateReader.h"
#include "store/TemplateStore.h"
#include "tests/store/StoreTestSupport.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdlib>

using storetest::ReadLegacyTemplate;
using namespace std::string_literals;

namespace {

const std::string kCaretBlock = "caretPosChar:\n|\n\f\n";

TEST(LegacyTemplateReader, NameWithInnerSpaceIsACodeTemplate) {
    const auto sink = ReadLegacyTemplate(kCaretBlock + "for loop:\nfor (;;) {|}\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].label, "for loop");
    EXPECT_EQ(sink.items[0].entry->title, "for loop");
    EXPECT_EQ(sink.items[0].entry->shortcut, "");
    EXPECT_EQ(sink.items[0].entry->code, "for (;;) {$end$}");
}

TEST(LegacyTemplateReader, NameWithoutSpaceIsAutotext) {
    const auto sink = ReadLegacyTemplate(kCaretBlock + "fori:\nfor (int i = 0; i < |; ++i)\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].label, "fori");
    EXPECT_EQ(sink.items[0].entry->title, "");
    EXPECT_EQ(sink.items[0].entry->shortcut, "fori");
}

TEST(LegacyTemplateReader, TrailingBlankMakesTitleAndShortcutButStaysInLabel) {
    const auto sink = ReadLegacyTemplate(kCaretBlock + "fori :\nx\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].label, "fori ");
    EXPECT_EQ(sink.items[0].entry->title, "fori");
    EXPECT_EQ(sink.items[0].entry->shortcut, "fori");
}

TEST(LegacyTemplateReader, LeadingSpaceNameIsAutotextWithoutShortcut) {
    const auto sink = ReadLegacyTemplate(kCaretBlock + " lead:\nx\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->title, "");
    EXPECT_EQ(sink.items[0].entry->shortcut, "");
}

TEST(LegacyTemplateReader, OnlyTheFirstCharacterOfTheMarkerLineCounts) {
    const auto sink = ReadLegacyTemplate("caretPosChar:\n#@\n\f\nif:\nif (#) {@}\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->code, "if ($end$) {@}");
}

TEST(LegacyTemplateReader, ConversionTableRunsInOrderAndIsCaseSensitive) {
    EXPECT_EQ(LegacyTemplateReader::ConvertCode("%0 %1 %8 %10 %9", ""), "$selected$ $1$ $8$ $1$0 %9");
    EXPECT_EQ(LegacyTemplateReader::ConvertCode("%DATE% %date% %DAY_02% %YEAR_02%", ""),
              "$DATE$ %date% $DAY_02$ $YEAR_02$");
    EXPECT_EQ(LegacyTemplateReader::ConvertCode("%FILE_BASE%.%FILE_EXT% in %FILE_PATH%", ""),
              "$FILE_BASE$.$FILE_EXT$ in $FILE_PATH$");
    EXPECT_EQ(LegacyTemplateReader::ConvertCode("%SCOPE_LINE% %MONTHNAME% %HOUR_02%:%MINUTE%:%SECOND%", ""),
              "$SCOPE_LINE$ $MONTHNAME$ $HOUR_02$:$MINUTE$:$SECOND$");
    EXPECT_EQ(LegacyTemplateReader::ConvertCode("a|b", "|"), "a$end$b");
    EXPECT_EQ(LegacyTemplateReader::ConvertCode("a|b", ""), "a|b");
}

TEST(LegacyTemplateReader, ReadmeDescribesTheNextEntry) {
    const auto sink =
        ReadLegacyTemplate(kCaretBlock + "readme:\nLoops over a range\n\nOld style\n\f\nfori:\nx\f\nnext:\ny\f\n");
    ASSERT_EQ(sink.items.size(), 2u);
    EXPECT_EQ(sink.items[0].entry->description, "Loops over a range\r\nOld style");
    EXPECT_EQ(sink.items[1].entry->description, "");
}

TEST(LegacyTemplateReader, OldHeaderTextsInsideReadmeAreDropped) {
    const auto sink =
        ReadLegacyTemplate(kCaretBlock +
                           "readme:\nAutotext and Code Templates for Quillon X\n\f\n"
                           "readme:\nAutoText follows. None of the entry names contain a space.\n\f\nfori:\nx\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->description, "");
}

TEST(LegacyTemplateReader, SeparatorLineMakesAnUnnamedAutotextEntry) {
    const auto sink = ReadLegacyTemplate(kCaretBlock + "for loop:\nline\nseparator\n\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].label, "for loop");
    EXPECT_EQ(sink.items[0].entry->title, "");
    EXPECT_EQ(sink.items[0].entry->shortcut, "");
    EXPECT_EQ(sink.items[0].entry->code, "line\r\n");
}

TEST(LegacyTemplateReader, CodeThatMerelyContainsSeparatorIsKept) {
    const auto sink = ReadLegacyTemplate(kCaretBlock + "join:\nvar separator = '|';\f\n");
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->shortcut, "join");
    EXPECT_EQ(sink.items[0].entry->code, "var separator = '$end$';");
}

TEST(LegacyTemplateReader, HeaderWhoseBlockCreatesNoEntryStillYieldsAnItem) {
    // A separator empties the first block's name before any code: its item
    // stays without an entry.
    const auto sink = ReadLegacyTemplate(kCaretBlock + "empty:\nseparator\n\f\nfull:\ncode\f\n");
    ASSERT_EQ(sink.Labels(), (std::vector<std::string>{"empty", "full"}));
    EXPECT_EQ(sink.items[0].entry, nullptr);
    ASSERT_NE(sink.items[1].entry, nullptr);
    EXPECT_EQ(sink.items[1].entry->code, "code");
}

TEST(LegacyTemplateReader, ReadmeEndingWithTextBeforeFormFeedCreatesNothing) {
    const auto sink = ReadLegacyTemplate(kCaretBlock + "readme:\ntext\f\n");
    EXPECT_TRUE(sink.items.empty());
}

TEST(LegacyTemplateReader, EntriesKeepLanguageAndOrdinalZero) {
    const auto sink = ReadLegacyTemplate(kCaretBlock + "a1:\nx\f\nb2:\ny\f\n");
    ASSERT_EQ(sink.Entries().size(), 2u);
    for (auto* entry : sink.Entries()) {
        EXPECT_EQ(entry->language, 0);
        EXPECT_EQ(entry->ordinal, 0);
    }
}

TEST(LegacyTemplateReader, HostileBytesNeverStopTheReader) {
    EXPECT_TRUE(ReadLegacyTemplate(std::string(4096, '\f')).items.empty());
    const auto sink = ReadLegacyTemplate("caretPosChar:\n\0\n\f\nz:\n\0\r\f\n"s);
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->code, "$end$\r");
}

// Under code page 932 "|" is also the second byte of characters such as
// "\x83\x7C", and a two-byte marker may straddle two characters: only a whole
// character is the marker. The real code page where the system has one (a
// run on a Japanese system names it in TARVEL_TEST_ACP), else its lead bytes.
TEST(LegacyTemplateReader, UnderADoubleByteCodePageTheMarkerIsAWholeCharacter) {
#ifdef _WIN32
    if (const char* wanted = std::getenv("TARVEL_TEST_ACP")) {
        ASSERT_EQ(::GetACP(), static_cast<UINT>(std::atoi(wanted))) << "the system's code page was not changed";
        ASSERT_FALSE(storetest::MakePlatformFilePort()->AnsiLeadBytes().Empty());
    }
#endif
    const struct {
        std::string marker, code, converted;
    } cases[] = {
        {"|", "\x83\x7C = |;", "\x83\x7C = $end$;"},
        {"\x81\x9B", "x\x81\x9By", "x$end$y"},
        {"\x81\x9B", "\x82\x81\x9B\x40", "\x82\x81\x9B\x40"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.code);
        storetest::ScriptedFilePort port;
        if (port.real().AnsiLeadBytes().Empty())
            port.leadBytes = LeadByteSet{{0x81, 0x9F}, {0xE0, 0xFC}};
        storetest::RecordingReporter reporter;
        storetest::TempDir dir;
        storetest::WriteFileBytes(dir.file("cpp.tpl"),
                                  "caretPosChar:\r\n" + test.marker + "\r\n\f\r\nkata:\r\n" + test.code + "\f\r\n");
        TemplateStore store(dir.path(), port, reporter);
        storetest::RecordingSink sink;
        store.LoadLanguageTemplates(0, sink);
        ASSERT_EQ(sink.Entries().size(), 1u);
        EXPECT_EQ(sink.Entries()[0]->code, test.converted);
    }
}

}  // namespace
