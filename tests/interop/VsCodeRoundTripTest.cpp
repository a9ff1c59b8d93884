// Entries written as VS Code's snippets and read back are the same entries,
// for whatever the template files can hold.
#include <gtest/gtest.h>

#include "interop/SnippetImporter.h"
#include "interop/VsCodeWriter.h"
#include "interop/Windows1252CodePage.h"
#include "tests/store/StoreTestSupport.h"

using namespace tarvel;

using namespace storetest;

namespace {

const Windows1252CodePage kCodePage;

std::vector<AutotextEntry> ReadBack(const std::string& json, const std::string& fileName) {
    TempDir dir;
    WriteFileBytes(dir.file(fileName), json);
    auto files = MakePlatformFilePort();
    const auto result =
        SnippetImporter(*files, kCodePage, SnippetImporter::Shortcuts()).Import({dir.file(fileName)}, {});
    EXPECT_TRUE(result.fileMessages.empty()) << result.fileMessages.front();
    std::vector<AutotextEntry> entries;
    for (const auto& snippet : result.snippets) {
        EXPECT_FALSE(snippet.LostSomething()) << snippet.name << ": " << snippet.losses.front().text;
        entries.insert(entries.end(), snippet.entries.begin(), snippet.entries.end());
    }
    return entries;
}

void ExpectSame(const std::vector<AutotextEntry>& before, const std::vector<AutotextEntry>& after) {
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].title, before[i].title) << i;
        EXPECT_EQ(after[i].shortcut, before[i].shortcut) << i;
        EXPECT_EQ(after[i].code, before[i].code) << i;
        EXPECT_EQ(after[i].description, before[i].description) << i;
        EXPECT_EQ(after[i].language, before[i].language) << i;
    }
}

std::vector<AutotextEntry*> Pointers(std::vector<AutotextEntry>& entries) {
    std::vector<AutotextEntry*> pointers;
    for (auto& entry : entries)
        pointers.push_back(&entry);
    return pointers;
}

AutotextEntry Entry(std::string title, std::string shortcut, std::string code, std::string description = "") {
    AutotextEntry entry;
    entry.title = std::move(title);
    entry.shortcut = std::move(shortcut);
    entry.code = std::move(code);
    entry.description = std::move(description);
    return entry;
}

}  // namespace

TEST(VsCodeRoundTrip, ChosenEntriesComeBackUnchanged) {
    std::vector<AutotextEntry> entries{
        Entry("loop", "fl", "for ($i$ = 0; $i$ < $n$; ++$i$) {\r\n\t$end$\r\n}", "Loops.\r\n"),
        Entry("loop", "fl", "another body with the same title"),
        Entry("", "", "code only, $selected$ and $clipboard$ and $DATE$ and $GUID_STRING$"),
        Entry("", "", "a second entry with no title"),
        Entry("literal", "lit", "$ } \\ ${1} $$ $a$b$ `x` %1 \\$"),
        Entry("twins", "tw", "$YEAR$-$MONTH_02$-$DAY_02$ $HOUR_02$:$MINUTE$:$SECOND$ $FILE$ $FILE_BASE$"),
        Entry("ends", "e", "$end$5 $end$"),
        Entry("numbers", "n", "$2$ $1$ $10$ $2$"),
        Entry("title only", "", ""),
        Entry("tabs and breaks", "tb", "\tx\r\n\r\n\ty\r\n", "two\r\nlines\r\n"),
        Entry("ansi \x80\x81\xFF", "\xE9", "\x80\x8D\xA0\xFF \x01"),
        Entry("ansi name", "an", "$x$ $caf\xE9$ $x$ $caf\xE9$"),
        // Entries that differ only in their shortcuts share one snippet.
        Entry("log", "cl", "console.log($x$);"),
        Entry("log", "log", "console.log($x$);"),
        Entry("log", "", "console.log($x$);"),
        // Names that entries before held too, numbered anew; some share
        // their first eight bytes.
        Entry("first use", "fu", "$b$ $a$ $LongName_one$ $LongName_two$ $LongName$ $FILE$"),
        Entry("second use", "su", "$a$ $b$ $LongName$ $LongName_two$ $LongName_one$ $a$ $FILE$ $end$"),
    };
    // More names than an export first makes room for.
    for (int entry = 0; entry < 10; ++entry) {
        std::string code;
        for (int name = 0; name < 8; ++name)
            code += "$n" + std::to_string(entry * 8 + name) + "$ ";
        entries.push_back(Entry("names " + std::to_string(entry), "nm", code));
    }
    const auto json = VsCodeWriter(kCodePage).LanguageFile(Pointers(entries));
    EXPECT_NE(json.find("\"prefix\": [\"cl\", \"log\", \"\"]"), std::string::npos) << json;
    ExpectSame(entries, ReadBack(json, "cpp.json"));
}
