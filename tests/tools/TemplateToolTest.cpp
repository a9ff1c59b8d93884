#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <streambuf>

#include "tests/store/StoreTestSupport.h"
#include "interop/Windows1252CodePage.h"
#include "store/FormatLimits.h"
#include "tools/TemplateCheck.h"
#include "tests/tools/ToolRun.h"
#include "tools/TemplateTool.h"

using namespace tarvel;

using namespace storetest;
namespace fs = std::filesystem;

namespace {

void CopySamples(const std::string& from, const TempDir& to) {
    for (const auto& file : fs::directory_iterator(from))
        fs::copy_file(file.path(), to.file(file.path().filename().string()));
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

TEST(TemplateTool, DumpWritesOneJsonObjectPerEntryWithExactlyTheKeys) {
    TempDir dir;
    WriteFileBytes(dir.file("cs.tpl"), "readme:\r\nd\r\n\f\r\na:Title:sc:\r\ncode\f\r\n");
    WriteFileBytes(dir.file("cpp.tpl"), "a::first:\r\nx\f\r\n");
    const auto run = RunTool({"dump", dir.path()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(
        lines(run.out),
        (std::vector<std::string>{
            R"({"language":0,"language_label":"C++","ordinal":0,"label":"first","title":"","shortcut":"first","description":"","code":"x"})",
            R"({"language":1,"language_label":"C#","ordinal":0,"label":"sc","title":"Title","shortcut":"sc","description":"d","code":"code"})",
        }));
}

TEST(TemplateTool, DumpMapsEachByteToTheCodePointOfTheSameValue) {
    TempDir dir;
    WriteFileBytes(dir.file("txt.tpl"), "a:caf\xE9::\r\n\x80\xFF\x01\f\r\n");
    const auto run = RunTool({"dump", dir.path()});
    EXPECT_NE(run.out.find("\"title\":\"caf\xC3\xA9\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"code\":\"\xC2\x80\xC3\xBF\\u0001\""), std::string::npos) << run.out;
}

TEST(TemplateTool, ResaveOfTheSamplesKeepsEveryByte) {
    TempDir dir;
    CopySamples(TARVEL_SAMPLES_DIR "/templates", dir);
    std::vector<std::string> before;
    for (const auto& name : dir.FileNames())
        before.push_back(ReadFileBytes(dir.file(name)));
    const auto run = RunTool({"resave", dir.path()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(dir.FileNames().size(), 8u);
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(ReadFileBytes(dir.file(dir.FileNames()[i])), before[i]) << dir.FileNames()[i];
}

TEST(TemplateTool, ResaveRewritesLegacyFilesInTheCurrentFormat) {
    TempDir dir;
    CopySamples(TARVEL_SAMPLES_DIR "/legacy", dir);
    const auto legacyDump = RunTool({"dump", dir.path()}).out;
    EXPECT_EQ(RunTool({"resave", dir.path()}).exitCode, 0);
    const auto bytes = ReadFileBytes(dir.file("cpp.tpl"));
    EXPECT_EQ(bytes.find("caretPosChar"), std::string::npos);
    EXPECT_NE(bytes.find("a:for loop::\r\n"), std::string::npos);
    EXPECT_EQ(RunTool({"check", dir.path()}).exitCode, 0);
    // Titles, shortcuts and code survive the conversion unchanged.
    auto withoutOrdinals = [](std::string dump) {
        for (auto at = dump.find("\"ordinal\":"); at != std::string::npos; at = dump.find("\"ordinal\":", at + 1))
            dump.erase(at + 10, dump.find(',', at) - at - 10);
        return dump;
    };
    EXPECT_EQ(withoutOrdinals(RunTool({"dump", dir.path()}).out), withoutOrdinals(legacyDump));
}

TEST(TemplateTool, CheckIsCleanOnTheSamples) {
    const auto run = RunTool({"check", TARVEL_SAMPLES_DIR "/templates"});
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.out, "");
}

TEST(TemplateTool, CheckReportsWhatTheFormatCannotKeep) {
    TempDir dir;
    WriteFileBytes(dir.file("cpp.tpl"),
                   "a::tab\tbed:\r\nx\f\r\n"
                   "a:Spaced:a b:\r\ny\f\r\n"
                   "a::many:\r\n$a$ $b$ $c$ $d$ $e$ $f$ $g$ $h$ $i$ $DATE$ $end$\f\r\n"
                   "a:Also many:many:\r\nprintf(\"%0d\");\f\r\n");
    WriteFileBytes(dir.file("vb.tpl"), "caretPosChar:\r\n|\r\n\f\r\nsub:\r\nSub |\f\r\n");
    const auto run = RunTool({"check", dir.path()});
    EXPECT_EQ(run.exitCode, 1);
    const std::string shared = "cpp.tpl: many: shortcut \"many\" is another entry's of the language too; the host offers both";
    EXPECT_EQ(lines(run.out),
              (std::vector<std::string>{
                  "cpp.tpl: holds text that is part of no entry; the next save keeps the old file as cpp.tpl.bak",
                  "cpp.tpl: line 3: shortcut \"a b\" holds a space and is read as empty",
                  "cpp.tpl: line 8: code holds \"%0\", which reads back as \"$selected$\"",
                  "cpp.tpl: tab\tbed: shortcut \"tab\tbed\" holds white space",
                  "cpp.tpl: a b: label \"a b\" is neither its shortcut nor its title and is lost at the next save",
                  "cpp.tpl: many: 9 distinct prompts; the prompt dialog shows 8", shared, shared,
                  "vb.tpl: legacy format; the next save rewrites it in the current format and keeps the old file as "
                  "vb.tpl.bak"}));
}

// What a hand-edited file holds that reading drops, reported by line; the
// word separator alone inside a record is kept and not reported.
TEST(TemplateTool, CheckReportsWhatReadingTheFileDrops) {
    TempDir dir;
    WriteFileBytes(dir.file("cs.tpl"),
                   "a:C++: main:mn:\r\nint main();\f\r\n"
                   "a:a b:a b:\r\nx\f\r\n"
                   "a::pages:\r\npage one\fpage two\r\n"
                   "a::sep:\r\nbefore\r\n separator\r\nafter\f\r\n"
                   "separator\r\n"
                   "a::last:\r\nends with the word\r\nseparator\f\r\n");
    const auto run = RunTool({"check", dir.path()});
    EXPECT_EQ(run.exitCode, 1);
    const auto report = lines(run.out);
    ASSERT_EQ(report.size(), 5u) << run.out;
    EXPECT_EQ(report[0], "cs.tpl: holds text that is part of no entry; the next save keeps the old file as cs.tpl.bak");
    EXPECT_EQ(report[1].rfind("cs.tpl: line 1: a title or shortcut holds a colon", 0), 0u) << report[1];
    EXPECT_EQ(report[2], "cs.tpl: line 3: shortcut \"a b\" holds a space and is read as empty");
    EXPECT_EQ(report[3], "cs.tpl: line 6: code or description holds a form feed: the text after it is lost");
    EXPECT_EQ(report[4], "cs.tpl: line 11: a line holding only \"separator\" is a marker and is not kept");
    EXPECT_NE(RunTool({"dump", dir.path()}).out.find(R"("code":"before\r\n separator\r\nafter")"), std::string::npos);
}

// Files that loaded as a language without entries, or with a changed
// layout, are reported; resave leaves a file with no readable entry alone.
TEST(TemplateTool, CheckReportsHostileFilesAndResaveLeavesUnreadableOnesAlone) {
    TempDir dir;
    const std::string utf16("\xFF\xFE" "a\0:\0:\0x\0:\0\r\0\n\0", 16);
    const std::string oneLine(10 << 20, 'x');
    WriteFileBytes(dir.file("cpp.tpl"), "\xEF\xBB\xBF" "a::bom:\r\nx\f\r\n");
    WriteFileBytes(dir.file("cs.tpl"), "a::mac:\rx\f\r");
    WriteFileBytes(dir.file("html.tpl"), utf16);
    WriteFileBytes(dir.file("java.tpl"), oneLine);
    const auto run = RunTool({"check", dir.path()});
    EXPECT_EQ(run.exitCode, 1);
    const auto report = lines(run.out);
    ASSERT_EQ(report.size(), 2u) << run.out;
    EXPECT_EQ(report[0], "cpp.tpl: starts with a UTF-8 byte order mark, which the next save leaves out");
    EXPECT_EQ(report[1], "cs.tpl: its lines end with a carriage return alone; the next save ends them with CR LF");
    const auto messages = lines(run.err);
    ASSERT_EQ(messages.size(), 2u) << run.err;
    EXPECT_NE(messages[0].find(dir.file("html.tpl") + " holds text from which no entry could be read"),
              std::string::npos);
    EXPECT_NE(messages[1].find(dir.file("java.tpl") + " holds text from which no entry could be read"),
              std::string::npos);

    const auto resave = RunTool({"resave", dir.path()});
    EXPECT_EQ(resave.exitCode, 1);
    EXPECT_EQ(ReadFileBytes(dir.file("html.tpl")), utf16);
    EXPECT_EQ(ReadFileBytes(dir.file("java.tpl")), oneLine);
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), "a::bom:\r\nx\f\r\n");
    EXPECT_EQ(ReadFileBytes(dir.file("cs.tpl")), "a::mac:\r\nx\f\r\n");
}

TEST(TemplateTool, PromptsAreDistinctUnreservedNamesBetweenDollarSigns) {
    EXPECT_EQ(FormatLimits::PromptNames("$a$ $a$ $b$ $DATE$ $SCOPE_LINE$ $MethodArg$ $$ $ not a name $c$"),
              (std::vector<std::string_view>{"a", "b", "c"}));
    EXPECT_EQ(FormatLimits::PromptNames("cost: $5 and $"), std::vector<std::string_view>{});
    EXPECT_EQ(FormatLimits::PromptNames("$date$"), std::vector<std::string_view>{"date"});
}

TEST(TemplateTool, BadArgumentsAndMissingDirectoryExitWithTwo) {
    EXPECT_EQ(RunTool({}).exitCode, 2);
    EXPECT_EQ(RunTool({"dump"}).exitCode, 2);
    EXPECT_EQ(RunTool({"frobnicate", "."}).exitCode, 2);
    EXPECT_EQ(RunTool({"check", ""}).exitCode, 2);
    const auto missing = RunTool({"dump", "no-such-directory-here"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(lines(missing.err).size(), 1u);
    EXPECT_EQ(missing.out, "");
}

TEST(TemplateTool, DirectoryWithoutSeparatorGetsOne) {
    TempDir dir;
    WriteFileBytes(dir.file("js.tpl"), "a::log:\r\nconsole.log();\f\r\n");
    auto unterminated = dir.path();
    unterminated.pop_back();
    const auto run = RunTool({"dump", unterminated});
    EXPECT_NE(run.out.find("\"shortcut\":\"log\""), std::string::npos);
}

// Standard output on a full disk or a closed pipe: every write fails.
class RefusingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(TemplateTool, OutputThatCannotBeWrittenTurnsTheExitCodeToOne) {
    TempDir dir;
    WriteFileBytes(dir.file("js.tpl"), "a::log:\r\nconsole.log();\f\r\n");
    auto files = MakePlatformFilePort();
    RefusingBuffer refusing;
    std::ostream out(&refusing);
    std::ostringstream err;
    EXPECT_EQ(TemplateTool(*files, Windows1252CodePage(), out, err).Run({"dump", dir.path()}), 1);
    EXPECT_EQ(err.str(), "autotext-tpl: could not write the output\n");
}

TEST(TemplateTool, UnreadableFileIsReportedAndTurnsTheExitCodeToOne) {
    TempDir dir;
    fs::create_directory(dir.file("perl.tpl"));
    const auto run = RunTool({"dump", dir.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Quillon X Autotext Editor: File Open failed"), std::string::npos);
}

}  // namespace
