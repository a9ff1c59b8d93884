#include <gtest/gtest.h>

#include "store/LegacyTemplateReader.h"
#include "store/TemplateStore.h"
#include "tests/store/StoreTestSupport.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdlib>

using namespace tarvel;

using storetest::ReadItem;
using storetest::ReadLegacyTemplate;
using namespace std::string_literals;

namespace {

const std::string kCaretBlock = "caretPosChar:\n|\n\f\n";

// The old format's rules, each a file and the items it gives.
TEST(LegacyTemplateReader, ReadsEachOldFileIntoItsEntries) {
    const struct {
        const char* rule;
        std::string bytes;
        std::vector<ReadItem> items;
    } cases[] = {
        {"a name with an inner space is a code template", kCaretBlock + "for loop:\nfor (;;) {|}\f\n",
         {{"for loop", "for loop", "", "", "for (;;) {$end$}"}}},
        {"a name without a space is autotext", kCaretBlock + "fori:\nfor (int i = 0; i < |; ++i)\f\n",
         {{"fori", "", "fori", "", "for (int i = 0; i < $end$; ++i)"}}},
        {"a trailing blank makes title and shortcut but stays in the label", kCaretBlock + "fori :\nx\f\n",
         {{"fori ", "fori", "fori", "", "x"}}},
        {"a name with a leading space is autotext without a shortcut", kCaretBlock + " lead:\nx\f\n",
         {{" lead", "", "", "", "x"}}},
        {"only the first character of the marker line counts", "caretPosChar:\n#@\n\f\nif:\nif (#) {@}\f\n",
         {{"if", "", "if", "", "if ($end$) {@}"}}},
        {"a readme describes the next entry",
         kCaretBlock + "readme:\nLoops over a range\n\nOld style\n\f\nfori:\nx\f\nnext:\ny\f\n",
         {{"fori", "", "fori", "Loops over a range\r\nOld style", "x"}, {"next", "", "next", "", "y"}}},
        {"old header texts inside a readme are dropped",
         kCaretBlock +
             "readme:\nAutotext and Code Templates for Quillon X\n\f\n"
             "readme:\nAutoText follows. None of the entry names contain a space.\n\f\nfori:\nx\f\n",
         {{"fori", "", "fori", "", "x"}}},
        {"a separator line makes an unnamed autotext entry", kCaretBlock + "for loop:\nline\nseparator\n\f\n",
         {{"for loop", "", "", "", "line\r\n"}}},
        {"code that merely contains the word is kept", kCaretBlock + "join:\nvar separator = '|';\f\n",
         {{"join", "", "join", "", "var separator = '$end$';"}}},
        {"a readme ending with text before its form feed gives nothing", kCaretBlock + "readme:\ntext\f\n", {}},
    };
    for (const auto& [rule, bytes, expected] : cases)
        EXPECT_EQ(ReadLegacyTemplate(bytes).Read(), expected) << rule;
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

TEST(LegacyTemplateReader, HeaderWhoseBlockCreatesNoEntryStillYieldsAnItem) {
    // A separator empties the first block's name before any code: its item
    // stays without an entry.
    const auto sink = ReadLegacyTemplate(kCaretBlock + "empty:\nseparator\n\f\nfull:\ncode\f\n");
    ASSERT_EQ(sink.Labels(), (std::vector<std::string>{"empty", "full"}));
    EXPECT_EQ(sink.items[0].entry, nullptr);
    ASSERT_NE(sink.items[1].entry, nullptr);
    EXPECT_EQ(sink.items[1].entry->code, "code");
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
