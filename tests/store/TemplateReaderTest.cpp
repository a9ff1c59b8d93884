#include <gtest/gtest.h>

#include "store/TemplateReader.h"
#include "tests/store/StoreTestSupport.h"

using namespace tarvel;

using storetest::ReadItem;
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

struct ReadCase {
    const char* rule;
    std::string bytes;
    std::vector<ReadItem> items;
};

// The reading rules, each a file and the entries it gives, in order and with
// their ordinals counted in file order.
TEST(TemplateReader, ReadsEachFileIntoItsEntries) {
    const ReadCase cases[] = {
        {"ordinals count entries in file order",
         "a:one:1:\nx\f\na:two:2:\ny\f\na:three:3:\nz\f\n",
         {{"1", "one", "1", "", "x"}, {"2", "two", "2", "", "y"}, {"3", "three", "3", "", "z"}}},
        {"the label is the title when the shortcut is empty",
         "a:main function::\nint main() {}\f\n",
         {{"main function", "main function", "", "", "int main() {}"}}},
        {"header fields are trimmed and extra fields ignored",
         "a:  spaced title \t:  sc  :ignored:more\ncode\f\n",
         {{"sc", "spaced title", "sc", "", "code"}}},
        {"a header may leave out the colon after its shortcut", "a:t:sc\nx\f\n", {{"sc", "t", "sc", "", "x"}}},
        {"a header may hold a title alone", "a: just a title \nx\f\n", {{"just a title", "just a title", "", "", "x"}}},
        {"spaces around a shortcut keep it", "a:t: sc\t:\nx\f\n", {{"sc", "t", "sc", "", "x"}}},
        {"only the keys a and readme open entries",
         "ab:t:sc:\nx\f\nreadmes:\nnot a description\n\f\nA:t:sc:\ny\f\nreadme\na::sc:\nz\f\n",
         {{"sc", "", "sc", "", "z"}}},
        {"a shortcut with a space is stored empty but labels the item",
         "a:Title:a b:\ncode\f\n",
         {{"a b", "Title", "", "", "code"}}},
        {"%0 becomes $selected$", "a::b:\n<b>%0</b>%0\f\n", {{"b", "", "b", "", "<b>$selected$</b>$selected$"}}},
        {"colon lines inside a block stay code",
         "a::sw:\nswitch (x) {\ncase 1:\na:b:c:\n}\f\n",
         {{"sw", "", "sw", "", "switch (x) {\r\ncase 1:\r\na:b:c:\r\n}"}}},
        {"an empty line before a header starts the next code",
         "a::one:\nx\f\n\na::two:\ny\f\n",
         {{"one", "", "one", "", "x"}, {"two", "", "two", "", "\r\ny"}}},
        {"a stray line after the first block becomes an entry",
         "a::one:\nx\f\nstray line\n",
         {{"one", "", "one", "", "x"}, {"", "", "", "", "stray line\r\n"}}},
        {"text before the first header is dropped",
         "just text\nmore text\na::sc:\ncode\f\n",
         {{"sc", "", "sc", "", "code"}}},
        {"an unknown block before the first record is dropped", "other:\nline\f\n", {}},
        {"an unknown block after a record is an anonymous entry",
         "a::sc:\nx\f\nother:\nline\f\n",
         {{"sc", "", "sc", "", "x"}, {"", "", "", "", "line"}}},
        {"the last record without a form feed is dropped",
         "a::one:\nx\f\na::two:\nno end\n",
         {{"one", "", "one", "", "x"}}},
        {"old header texts are dropped only inside a readme",
         "readme:\nAutotext and Code Templates for Quillon X\nreal text\n"
         "Code Templates follow. All entry names contain a space.\n\f\n"
         "a::sc:\nAutoText follows. None of the entry names contain a space.\f\n",
         {{"sc", "", "sc", "real text", "AutoText follows. None of the entry names contain a space."}}},
        {"empty lines in a description are kept",
         "readme:\nfirst\n\nthird\n\f\na::sc:\nx\f\n",
         {{"sc", "", "sc", "first\r\n\r\nthird", "x"}}},
        // What the writer produces for an entry with just a title.
        {"a title-only record is an entry with its own description",
         "readme:\nabout the title\n\f\na:Only a title::\n\f\na::next:\nnext code\f\n",
         {{"Only a title", "Only a title", "", "about the title", ""}, {"next", "", "next", "", "next code"}}},
        {"a record with a blank title keeps its description",
         "readme:\nmine\n\f\na: ::\n\f\na::second:\ny\f\n",
         {{"", "", "", "mine", ""}, {"second", "", "second", "", "y"}}},
        // The marker itself is stored nowhere.
        {"a separator marker between records starts the file",
         "  separator \t\nstray line\n",
         {{"", "", "", "", "stray line\r\n"}}},
        {"without a marker a stray line is dropped", "stray line\n", {}},
        // The writer writes the word as a line of its own, and it must come back.
        {"the separator word inside a record or readme is content",
         "readme:\nabove\nseparator\n\f\na::sc:\nbefore\n  separator \t\nafter\f\n",
         {{"sc", "", "sc", "above\r\nseparator", "before\r\n  separator \t\r\nafter"}}},
        {"inside an unknown block the separator is a marker",
         "other:\nseparator\npiled\f\n",
         {{"", "", "", "", "piled"}}},
        {"lines that merely contain the word are kept",
         "readme:\nuse a separator here\n\f\na::join:\nstd::string separator = \",\";\nseparator;\f\n",
         {{"join", "", "join", "use a separator here", "std::string separator = \",\";\r\nseparator;"}}},
        // The writer puts the form feed right after the code's last line.
        {"the separator word as the last code line ends the record",
         "a::sep:\n// a line\nseparator\f\nreadme:\nnext one\n\f\na::two:\nx\f\n",
         {{"sep", "", "sep", "", "// a line\r\nseparator"}, {"two", "", "two", "next one", "x"}}},
        {"a line starting with a colon opens a headerless block",
         "a::sc:\nx\f\n:nothing\ninside\f\n",
         {{"sc", "", "sc", "", "x"}, {"", "", "", "", "inside"}}},
        {"a description pending at the end of the file is dropped",
         "a::sc:\nx\f\nreadme:\norphan\n\f\n",
         {{"sc", "", "sc", "", "x"}}},
        {"an empty file gives nothing", "", {}},
        {"form feeds alone give nothing", std::string(4096, '\f'), {}},
        {"empty lines alone give nothing", "\n\n\n", {}},
    };
    for (const auto& [rule, bytes, expected] : cases) {
        const auto sink = ReadTemplate(bytes);
        EXPECT_EQ(sink.Read(), expected) << rule;
        for (std::size_t i = 0; i < sink.items.size(); ++i)
            EXPECT_EQ(sink.items[i].entry->ordinal, static_cast<int>(i)) << rule;
    }
}

// A record's code is taken as it stands only up to the first byte that ends
// or changes it, wherever in the code that byte stands.
TEST(TemplateReader, CodeEndsOrChangesWhereverTheByteStands) {
    struct CodeCase {
        std::string written;
        std::string read;
        bool endsCode;
    };
    const CodeCase cases[] = {{"\n", "\r\n", false}, {"%0", "$selected$", false}, {"\f", "", true}};
    const std::string after = "yy" + std::string(40, 'z');
    for (const auto& [written, read, endsCode] : cases) {
        for (std::size_t offset = 0; offset < 80; ++offset) {
            const std::string before(offset, 'x');
            const auto sink = ReadTemplate("a::k:\r\n" + before + written + after + "\f\r\n");
            ASSERT_EQ(sink.items.size(), 1u) << offset;
            EXPECT_EQ(sink.items[0].entry->code, endsCode ? before : before + read + after) << offset;
        }
    }
}

// A readme text is taken as it stands only up to the first byte that ends or
// changes it: a form feed, a lone line feed, a line of an older file's header.
TEST(TemplateReader, DescriptionEndsOrChangesWhereverTheByteStands) {
    struct TextCase {
        std::string written;
        std::string read;
        bool endsText;
    };
    const std::string oldHeader = "Autotext and Code Templates for Quillon X";
    const TextCase cases[] = {{"\n", "\r\n", false},
                              {"\r\n" + oldHeader + "\r\n", "\r\n", false},
                              {"\r\nAlso\r\nCode\r\n", "\r\nAlso\r\nCode\r\n", false},
                              {"\f", "", true}};
    const std::string after(40, 'z');
    for (const auto& [written, read, endsText] : cases) {
        for (std::size_t offset = 0; offset < 80; ++offset) {
            const std::string before(offset, 'x');
            const auto sink = ReadTemplate("readme:\r\n" + before + written + after + "\r\n\f\r\na::k:\r\nx\f\r\n");
            ASSERT_EQ(sink.items.size(), 1u) << offset;
            EXPECT_EQ(sink.items[0].entry->description, endsText ? before : before + read + after) << offset;
        }
    }
}

struct HeaderCase {
    std::string header;
    std::string title;
    std::string shortcut;
    std::string label;
    bool dropped;
};

// A header reads the same near the end of the file and with many bytes
// after it, at every length around the 32 bytes that one look takes in.
TEST(TemplateReader, HeaderFieldsReadTheSameWhateverFollows) {
    const std::string title28(28, 't');
    const HeaderCase cases[] = {
        {"a:t:sc:", "t", "sc", "sc", false},
        {"a:t:sc", "t", "sc", "sc", false},
        {"a: just a title ", "just a title", "", "just a title", false},
        {"a::sc:", "", "sc", "sc", false},
        {"a:t: sc\t:", "t", "sc", "sc", false},
        {"a:t:a b:", "t", "", "a b", true},
        {"a:t:sc:more", "t", "sc", "sc", true},
        {"a:title with a space:sc:", "title with a space", "sc", "sc", false},
        {"a:" + title28 + ":s:", title28, "s", "s", false},
        {"a:" + title28 + "t:s:", title28 + "t", "s", "s", false},
        {"a:" + title28 + "tt:", title28 + "tt", "", title28 + "tt", false},
        {"a:" + title28 + ":s s:", title28, "", "s s", true},
    };
    const std::string following = "a:next:n:\n" + std::string(64, 'x') + "\f\n";
    for (const auto& [header, title, shortcut, label, dropped] : cases) {
        for (const auto& bytes : {header + "\ncode\f\n", header + "\ncode\f\n" + following}) {
            storetest::RecordingSink sink;
            TemplateReader reader(0, sink);
            reader.Read(bytes);
            ASSERT_FALSE(sink.items.empty()) << bytes;
            EXPECT_EQ(sink.items[0].label, label) << bytes;
            EXPECT_EQ(sink.items[0].entry->title, title) << bytes;
            EXPECT_EQ(sink.items[0].entry->shortcut, shortcut) << bytes;
            EXPECT_EQ(reader.DroppedText(), dropped) << bytes;
        }
    }
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

}  // namespace
