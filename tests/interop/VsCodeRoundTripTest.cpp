// Entries written as VS Code's snippets and read back are the same entries,
// for whatever the template files can hold.
#include <gtest/gtest.h>

#include <random>

#include "interop/SnippetImporter.h"
#include "interop/VsCodeWriter.h"
#include "interop/Windows1252CodePage.h"
#include "store/FormatLimits.h"
#include "tests/store/StoreTestSupport.h"

using namespace storetest;

namespace {

const Windows1252CodePage kCodePage;

std::vector<AutotextEntry> ReadBack(const std::string& json, const std::string& fileName) {
    TempDir dir;
    WriteFileBytes(dir.file(fileName), json);
    auto files = MakePlatformFilePort();
    SnippetImporter::Target target;
    target.otherLanguages = 6;
    const auto result = SnippetImporter(*files, kCodePage, SnippetImporter::Shortcuts()).Import({dir.file(fileName)}, target);
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

AutotextEntry Entry(std::string title, std::string shortcut, std::string code, std::string description = "",
                    int language = 0) {
    AutotextEntry entry;
    entry.title = std::move(title);
    entry.shortcut = std::move(shortcut);
    entry.code = std::move(code);
    entry.description = std::move(description);
    entry.language = language;
    return entry;
}

// Pieces that the body syntax must escape or number, and text of every byte.
std::string RandomText(std::mt19937& random) {
    static const std::vector<std::string> kPieces = {
        "$name$", "$end$", "$DATE$", "$selected$", "$clipboard$", "$FILE_EXT$", "$MethodArg$", "$1$", "$a}b$",
        "$x\\y$", "$", "}", "{", "\\", "${1}", "$$", "`", "\t", "\r\n", "\r", " ", "cost: $5 and $", "%1", "a",
        "Z", "|", ",", ":", "${TM_FILENAME}", "\\$"};
    std::string text;
    const int pieces = std::uniform_int_distribution<int>(0, 12)(random);
    for (int i = 0; i < pieces; ++i) {
        if (std::uniform_int_distribution<int>(0, 4)(random) == 0) {
            char byte = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random));
            if (byte != '\f' && byte != '\n')
                text += byte;
        } else {
            text += kPieces[std::uniform_int_distribution<std::size_t>(0, kPieces.size() - 1)(random)];
        }
    }
    return text;
}

// What the template files can hold: FormatLimits has nothing to change.
AutotextEntry RandomEntry(std::mt19937& random, int language) {
    static const std::vector<std::string> kTitles = {"", "for loop", "for loop", "caf\xE9", "x}y", "a\\b"};
    static const std::vector<std::string> kShortcuts = {"", "fl", "fl", "$x", "\xE9t\xE9", "a}"};
    auto pick = [&](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    auto entry = Entry(pick(kTitles), pick(kShortcuts), RandomText(random), RandomText(random),
                       language);
    FormatLimits::Fit(entry);
    if (entry.title.empty() && entry.shortcut.empty() && entry.code.empty())
        entry.code = "x";
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
    };
    VsCodeWriter writer(kCodePage);
    ExpectSame(entries, ReadBack(writer.LanguageFile(Pointers(entries)), "cpp.json"));
}

TEST(VsCodeRoundTrip, EntriesThatDifferOnlyInTheirShortcutsShareOneSnippet) {
    constexpr int kJavaScript = 4;
    std::vector<AutotextEntry> entries{Entry("log", "cl", "console.log($x$);", "", kJavaScript),
                                       Entry("log", "log", "console.log($x$);", "", kJavaScript),
                                       Entry("log", "", "console.log($x$);", "", kJavaScript)};
    const auto json = VsCodeWriter(kCodePage).LanguageFile(Pointers(entries));
    EXPECT_NE(json.find("\"prefix\": [\"cl\", \"log\", \"\"]"), std::string::npos) << json;
    ExpectSame(entries, ReadBack(json, "javascript.json"));
}

TEST(VsCodeRoundTrip, RandomEntriesOfEveryLanguageComeBackFromOneScopedFile) {
    std::mt19937 random(19);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::vector<AutotextEntry>> languages(TemplateLanguage::kCount);
        VsCodeWriter::LanguageEntries pointers;
        std::vector<AutotextEntry> all;
        for (int language = 0; language < TemplateLanguage::kCount; ++language) {
            for (int i = std::uniform_int_distribution<int>(0, 6)(random); i > 0; --i)
                languages[language].push_back(RandomEntry(random, language));
            pointers[language] = Pointers(languages[language]);
            all.insert(all.end(), languages[language].begin(), languages[language].end());
        }
        const auto json = VsCodeWriter(kCodePage).ScopedFile(pointers);
        ExpectSame(all, ReadBack(json, "all.code-snippets"));
        if (HasFailure()) {
            ADD_FAILURE() << json;
            return;
        }
    }
}
