// Random entry sets within what the template format can hold survive a write
// followed by a read, and writing what was read gives the same bytes again.
#include <gtest/gtest.h>

#include <random>

#include "store/TemplateReader.h"
#include "store/TemplateStore.h"
#include "store/TemplateWriter.h"
#include "store/TextRules.h"
#include "tests/store/StoreTestSupport.h"

using namespace tarvel;

namespace {

class EntryGenerator {
public:
    explicit EntryGenerator(unsigned seed) : random_(seed) {}

    std::vector<AutotextEntry> Entries() {
        std::vector<AutotextEntry> result(pick(0, 12));
        for (auto& entry : result) {
            entry.title = chance(70) ? SingleLine(" ") : "";
            entry.shortcut = chance(70) ? SingleLine("") : "";
            entry.code = chance(80) ? MultiLine() : "";
            entry.description = chance(40) ? MultiLine() : "";
            if (entry.title.empty() && entry.shortcut.empty() && entry.code.empty())
                entry.shortcut = "x";
        }
        return result;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

    // Titles and shortcuts: no colon, no line break, no form feed; trimmed.
    std::string SingleLine(const std::string& extra) {
        static const std::string kLetters = "abcXYZ09_$%#<>()[]{}'\"!?.,;=+-*/\\|&^~`@";
        const std::string alphabet = kLetters + extra;
        std::string text;
        for (int i = pick(1, 16); i > 0; --i)
            text += alphabet[pick(0, static_cast<int>(alphabet.size()) - 1)];
        return TextRules::Trim(text);
    }

    // Code and descriptions: any bytes but form feed, with CR LF and some lone
    // LF breaks, lines of the word separator alone, lines that start with the
    // legacy key, and no "%0",
    // which the reader takes for the older notation of $selected$.
    std::string MultiLine() {
        std::string text;
        for (int line = pick(1, 6); line > 0; --line) {
            for (int i = pick(0, 20); i > 0; --i) {
                char c = static_cast<char>(pick(1, 255));
                if (c == '\f' || c == '\n' || c == '\r')
                    c = chance(50) ? ' ' : ':';
                text += c;
            }
            if (chance(20))
                text += "separator;";
            // The word alone is content inside a record, also as the last
            // line of code, which the form feed follows directly.
            if (chance(10))
                text += "\r\nseparator";
            // Only a header line makes a file legacy, not a typed line.
            if (chance(5))
                text += "\r\ncaretPosChar:";
            if (line > 1)
                text += chance(10) ? "\n" : "\r\n";
        }
        TextRules::ReplaceAll(text, "%0", "%_");
        return text;
    }

    std::mt19937 random_;
};

// A lone LF is written as CR LF and read back as such.
std::string WithCrLf(std::string text) {
    TextRules::ReplaceAll(text, "\r\n", "\n");
    TextRules::ReplaceAll(text, "\n", "\r\n");
    return text;
}

// The writer trims a description at its end.
std::string ExpectedDescription(const std::string& description) {
    return WithCrLf(std::string(TextRules::TrimmedRightView(description)));
}

TEST(TemplateRoundTrip, RandomEntrySetsSurviveWriteThenRead) {
    for (unsigned seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        auto entries = EntryGenerator(seed).Entries();
        const auto expected = entries;
        std::vector<AutotextEntry*> pointers;
        for (auto& entry : entries)
            pointers.push_back(&entry);
        const auto written = TemplateWriter::FormatLanguageRecords(pointers);

        // Read as loading does, which gives up on a file it takes for legacy.
        storetest::RecordingSink sink;
        TemplateReader reader(0, sink);
        ASSERT_TRUE(reader.ReadCurrentFormat(written));
        // Nothing the writer writes is dropped, so no save keeps a backup.
        EXPECT_FALSE(reader.DroppedText());
        ASSERT_FALSE(TemplateStore::IsLegacyFormat(written));
        const auto read = sink.Entries();
        ASSERT_EQ(read.size(), expected.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(read[i]->title, expected[i].title);
            EXPECT_EQ(read[i]->shortcut, expected[i].shortcut);
            EXPECT_EQ(read[i]->code, WithCrLf(expected[i].code));
            EXPECT_EQ(read[i]->description, ExpectedDescription(expected[i].description));
            EXPECT_EQ(read[i]->ordinal, static_cast<int>(i));
        }
        EXPECT_EQ(TemplateWriter::FormatLanguageRecords(read), written);
    }
}

}  // namespace
