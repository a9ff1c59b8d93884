// autotext-tpl import and export on real snippet collections that no one
// here wrote (fetched by the set-up), and on the samples.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "interop/Windows1252CodePage.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/tools/ToolRun.h"
#include "tools/TemplateTool.h"

using namespace tarvel;

using namespace storetest;
namespace fs = std::filesystem;

namespace {

std::string Collection(const std::string& name) {
    const std::string path = std::string(TARVEL_SNIPPET_COLLECTIONS) + "/" + name;
    if (!fs::exists(fs::u8path(path)))
        ADD_FAILURE() << path << " is missing: scripts/setup fetches the snippet collections";
    return path;
}

// The files of a folder, and of its subfolders, with an extension.
std::vector<std::string> FilesIn(const std::string& folder, const std::string& extension) {
    std::vector<std::string> files;
    if (fs::exists(fs::u8path(folder)))
        for (const auto& file : fs::recursive_directory_iterator(fs::u8path(folder)))
            if (file.path().extension() == extension)
                files.push_back(file.path().u8string());
    std::sort(files.begin(), files.end());
    return files;
}

// Entries per language label, from the dump.
std::map<std::string, int> CountsOf(const std::string& dump) {
    std::map<std::string, int> counts;
    const std::string key = "\"language_label\":\"";
    for (auto at = dump.find(key); at != std::string::npos; at = dump.find(key, at + 1)) {
        const auto start = at + key.size();
        ++counts[dump.substr(start, dump.find('"', start) - start)];
    }
    return counts;
}

// The kinds the summary counts, with their counts.
std::map<std::string, int> KindsIn(const std::string& report) {
    std::map<std::string, int> kinds;
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("  ", 0) == 0)
            kinds[line.substr(2, line.rfind(':') - 2)] = std::atoi(line.c_str() + line.rfind(':') + 1);
    return kinds;
}

struct CollectionImport {
    const char* name;
    std::vector<std::string> (*files)();
    std::vector<std::string> extraArguments;
    std::map<std::string, int> entries;
    std::map<std::string, int> kinds;  // the summary's counts of some kinds
};

class ImportCommand : public testing::TestWithParam<CollectionImport> {};

std::vector<std::string> VsCodeFiles() { return FilesIn(Collection("vscode"), ".code-snippets"); }
std::vector<std::string> VimFiles() { return FilesIn(Collection("vim-snippets"), ".snippets"); }

}  // namespace

TEST_P(ImportCommand, ImportsTheCollectionSaysWhatWasLostAndExportsItBackUnchanged) {
    const auto& row = GetParam();
    TempDir dir;
    auto arguments = std::vector<std::string>{"import", dir.path()};
    const auto files = row.files();
    ASSERT_FALSE(files.empty());
    arguments.insert(arguments.end(), files.begin(), files.end());
    arguments.insert(arguments.end(), row.extraArguments.begin(), row.extraArguments.end());

    auto dryRun = arguments;
    dryRun.push_back("--dry-run");
    const auto dry = RunTool(dryRun);
    EXPECT_TRUE(dir.FileNames().empty()) << "a dry run writes nothing";

    const auto imported = RunTool(arguments);
    EXPECT_EQ(imported.exitCode, 1) << "something was lost";
    EXPECT_EQ(imported.err, dry.err);
    const auto dump = RunTool({"dump", dir.path()});
    EXPECT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_EQ(CountsOf(dump.out), row.entries);
    auto kinds = KindsIn(imported.err);
    for (const auto& [kind, count] : row.kinds)
        EXPECT_EQ(kinds[kind], count) << kind << "\n" << imported.err;

    // Back out as VS Code's snippets and in again: the same entries.
    TempDir exported, again;
    const auto scoped = exported.file("all.code-snippets");
    ASSERT_EQ(RunTool({"export", dir.path(), scoped}).exitCode, 0);
    const auto reimported = RunTool({"import", again.path(), scoped});
    // What the entries held already is said again, and nothing else.
    for (const auto& [kind, count] : KindsIn(reimported.err))
        EXPECT_TRUE(kind == "more than eight prompts" || kind == "shortcut already in the language") << kind;
    EXPECT_EQ(RunTool({"dump", again.path()}).out, dump.out);
}

INSTANTIATE_TEST_SUITE_P(
    Collections, ImportCommand,
    testing::Values(CollectionImport{"VsCodeBuiltIn",
                                     VsCodeFiles,
                                     {},
                                     {{"C#", 2}, {"C++", 2}, {"HTML", 1}, {"Java", 2}, {"JavaScript", 28}, {"VB", 9}},
                                     {{"blank in a shortcut", 4}, {"file template", 2}, {"placeholder default text", 3}}},
                    CollectionImport{"VsCodeBuiltInWithTheOtherLanguagesAsText",
                                     VsCodeFiles,
                                     {"--language", "txt"},
                                     {{"C#", 2}, {"C++", 2}, {"HTML", 1}, {"Java", 2}, {"JavaScript", 28}, {"Text", 33}, {"VB", 9}},
                                     {{"file template", 3}, {"blank in a shortcut", 9}}},
                    CollectionImport{"VimSnippetsSnipMateAndUltiSnips",
                                     VimFiles,
                                     {},
                                     {{"C#", 137}, {"C++", 94}, {"HTML", 369}, {"Java", 145}, {"JavaScript", 346}, {"Perl", 68}},
                                     {{"placeholder default text", 448},
                                      {"interpolated code", 44},
                                      {"transform", 17},
                                      {"regular-expression trigger", 7},
                                      {"expansion options", 192},
                                      {"colon in a shortcut", 51},
                                      {"dollar signs read as a name", 37},
                                      {"shortcut already in the language", 161}}}),
    [](const testing::TestParamInfo<CollectionImport>& info) { return std::string(info.param.name); });

TEST(ExportCommand, WritesOneFileALanguageIntoAFolderAndTheyReadBack) {
    TempDir samples, exported, again;
    for (const auto& file : fs::directory_iterator(TARVEL_SAMPLES_DIR "/templates"))
        fs::copy_file(file.path(), samples.file(file.path().filename().string()));
    ASSERT_EQ(RunTool({"export", samples.path(), exported.path()}).exitCode, 0);
    EXPECT_EQ(exported.FileNames(), (std::vector<std::string>{"cpp.json", "csharp.json", "html.json", "java.json",
                                                              "javascript.json", "perl.json", "plaintext.json", "vb.json"}));
    std::vector<std::string> arguments{"import", again.path()};
    for (const auto& name : exported.FileNames())
        arguments.push_back(exported.file(name));
    const auto imported = RunTool(arguments);
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    const auto dump = RunTool({"dump", samples.path()}).out;
    EXPECT_EQ(RunTool({"dump", again.path()}).out, dump);
}

TEST(ImportCommand, BadArgumentsExitWithTwo) {
    TempDir dir;
    EXPECT_EQ(RunTool({"import", dir.path()}).exitCode, 2);
    EXPECT_EQ(RunTool({"import", dir.path(), "x.json", "--language"}).exitCode, 2);
    EXPECT_EQ(RunTool({"import", dir.path(), "x.json", "--language", "cobol"}).exitCode, 2);
    EXPECT_EQ(RunTool({"export", dir.path(), dir.file("missing-folder")}).exitCode, 2);
    EXPECT_EQ(RunTool({"export", dir.path(), dir.path(), "--format", "sublime"}).exitCode, 2);
}
