// One table of snippets in each format and the entry each becomes, with the
// kinds of what the entry cannot hold.
#include <gtest/gtest.h>

#include "interop/SnippetImporter.h"
#include "interop/Windows1252CodePage.h"
#include "tests/store/StoreTestSupport.h"

using namespace tarvel;

using namespace storetest;

namespace {

struct Conversion {
    const char* file;
    std::string text;
    // Of the first entry; the language is the root's index.
    int language;
    std::string title;
    std::string shortcut;
    std::string code;
    std::string description;
    std::vector<std::string> lossKinds;
};

const Windows1252CodePage kCodePage;

ImportResult Import(const std::string& fileName, const std::string& text,
                    SnippetImporter::Shortcuts existing = SnippetImporter::Shortcuts()) {
    TempDir dir;
    WriteFileBytes(dir.file(fileName), text);
    auto files = MakePlatformFilePort();
    return SnippetImporter(*files, kCodePage, std::move(existing)).Import({dir.file(fileName)}, {});
}

std::vector<std::string> KindsOf(const ImportedSnippet& snippet) {
    std::vector<std::string> kinds;
    for (const auto& loss : snippet.losses)
        kinds.push_back(loss.KindName());
    return kinds;
}

class SnippetConversion : public testing::TestWithParam<Conversion> {};

}  // namespace

TEST_P(SnippetConversion, BecomesTheEntryAndSaysWhatItLost) {
    const auto& row = GetParam();
    const auto result = Import(row.file, row.text);
    ASSERT_TRUE(result.fileMessages.empty()) << result.fileMessages.front();
    ASSERT_FALSE(result.snippets.empty());
    const auto& snippet = result.snippets.front();
    ASSERT_FALSE(snippet.entries.empty()) << snippet.losses.front().text;
    const auto& entry = snippet.entries.front();
    EXPECT_EQ(entry.language, row.language);
    EXPECT_EQ(entry.title, row.title);
    EXPECT_EQ(entry.shortcut, row.shortcut);
    EXPECT_EQ(entry.code, row.code);
    EXPECT_EQ(entry.description, row.description);
    EXPECT_EQ(KindsOf(snippet), row.lossKinds);
}

INSTANTIATE_TEST_SUITE_P(
    VsCode, SnippetConversion,
    testing::Values(
        Conversion{"cpp.json",
                   R"({"For Loop": {"prefix": ["for"], "body": ["for (${1:i} = 0; $1 < ${2:count}; $1++) {", "\t$0", "}"],
                      "description": "A loop"}})",
                   0, "For Loop", "for", "for ($i$ = 0; $i$ < $count$; $i$++) {\r\n\t$end$\r\n}", "A loop", {}},
        Conversion{"c.json", R"({"sel": {"prefix": "s", "body": "${TM_SELECTED_TEXT} $CLIPBOARD $CURRENT_YEAR ${TM_FILENAME_BASE}"}})",
                   0, "sel", "s", "$selected$ $clipboard$ $YEAR$ $FILE_BASE$", "", {}},
        Conversion{"x.code-snippets",
                   "// comment\n{\n /* block */ \"lit\": {\"scope\": \"javascript,typescript\", \"prefix\": \"l\",\n"
                   "  \"body\": \"\\\\$1 \\\\} \\\\\\\\ \\\\x\",},\n}\n",
                   4, "lit", "l", "$1 } \\ \\x", "", {}},
        Conversion{"java.json", R"({"dflt": {"prefix": "d", "body": "${1:two words} ${2|red,green|} ${3:$TM_FILENAME}"}})",
                   3, "dflt", "d", "$arg1$ $red$ $arg3$", "",
                   {"placeholder default text", "choice list", "placeholder default text"}},
        Conversion{"csharp.json", R"({"tr": {"prefix": "t", "body": "${1:name} ${1/(.*)/${1:/upcase}/} $RANDOM ${UNKNOWN:x}"}})",
                   1, "tr", "t", "$name$  $RANDOM$ $UNKNOWN$", "",
                   {"transform", "variable with no twin", "variable with no twin", "placeholder default text"}},
        Conversion{"html.code-snippets",
                   R"({"a:b": {"prefix": "a b", "body": "x\fy %0 \u00e9\u20ac\u4e2d", "isFileTemplate": true}})", 2,
                   "a;b", "a_b", "xy $selected$ \xE9\x80?", "",
                   {"file template", "colon in a title", "blank in a shortcut", "form feed", "%0 in the code",
                    "characters outside the ANSI code page"}},
        Conversion{"perl.json", R"({"dollars": {"prefix": "d", "body": "\\$a\\$b\\$"}})", 5, "dollars", "d", "$a$b$", "",
                   {"dollar signs read as a name"}},
        Conversion{"vb.json",
                   R"({"many": {"prefix": "m", "body": "$1 $2 $3 $4 $5 $6 $7 $8 $9", "scope": "vb,csharp"}})", 7, "many",
                   "m", "$arg1$ $arg2$ $arg3$ $arg4$ $arg5$ $arg6$ $arg7$ $arg8$ $arg9$", "",
                   {"other languages", "more than eight prompts"}}));

INSTANTIATE_TEST_SUITE_P(
    Vim, SnippetConversion,
    testing::Values(
        Conversion{"c.snippets",
                   "# comment\nextends cpp\n\nsnippet for for loop\n\tfor (${1:i} = 0; $1 < ${2:n}; $1++) {\n\n"
                   "\t\t${0:${VISUAL}}\n\t}\nsnippet next\n\tx\n",
                   0, "for", "for", "for ($i$ = 0; $i$ < $n$; $i$++) {\r\n\r\n\t$end$\r\n}", "for loop",
                   {"placeholder default text"}},
        Conversion{"perl.snippets", "snippet self\n\tmy $self = shift; ${1:`strftime(\"%Y\")`} ${VISUAL}\n", 5,
                   "self", "self", "my $self = shift; $arg1$ $selected$", "",
                   {"placeholder default text"}},
        Conversion{"javascript_jsdoc.snippets",
                   "priority -50\nglobal !p\ndef f(): pass\nendglobal\ncontext \"f()\"\n"
                   "snippet /** \"doc comment\" bA\n/**\n * ${1:`!p snip.rv = f()`} `!v g:x`\n */\nendsnippet\n",
                   4, "/**", "/**", "/**\r\n * $arg1$ \r\n */", "doc comment",
                   {"expansion options", "interpolated code", "placeholder default text", "interpolated code"}},
        Conversion{"cs.snippets",
                   "snippet \"(\\w+)\\.prop\" \"property\" r\npublic ${1:int} `!p snip.rv = match.group(1)` ${1/(.)/\\u$1/};\nendsnippet\n",
                   1, "(\\w+)\\.prop", "", "public $int$  ;", "property",
                   {"regular-expression trigger", "interpolated code", "transform"}},
        Conversion{"html.snippets", "snippet \"a b\" \"two words\"\n<a>$1</a>\nendsnippet\n", 2, "a b", "a_b",
                   "<a>$arg1$</a>", "two words", {"blank in a shortcut"}}));

INSTANTIATE_TEST_SUITE_P(
    Xml, SnippetConversion,
    testing::Values(
        Conversion{"hello.sublime-snippet",
                   "<snippet>\n<content><![CDATA[\nHello, ${1:this} is a ${2:snippet} \\$ $TM_SELECTED_TEXT.\n]]></content>\n"
                   "<tabTrigger>hello</tabTrigger>\n<scope>source.c++, source.objc++</scope>\n"
                   "<description>Says hello</description>\n</snippet>\n",
                   0, "hello", "hello", "Hello, $this$ is a $snippet$ $ $selected$.", "Says hello", {}},
        Conversion{"Custom.xml",
                   "<templateSet group=\"Custom\">\n"
                   "  <template name=\"sout\" value=\"System.out.println($EXPR$ + $$1 + $DATE$);&#10;$END$\" "
                   "description=\"Prints\" toReformat=\"true\">\n"
                   "    <variable name=\"EXPR\" expression=\"variableOfType(&quot;String&quot;)\" defaultValue=\"&quot;x&quot;\" "
                   "alwaysStopAt=\"true\" />\n"
                   "    <context><option name=\"GROOVY\" value=\"true\" /><option name=\"JAVA_STATEMENT\" value=\"true\" /></context>\n"
                   "  </template>\n</templateSet>\n",
                   3, "sout", "sout", "System.out.println($EXPR$ + $1 + $arg2$);\r\n$end$", "Prints",
                   {"interpolated code", "placeholder default text"}}));

TEST(SnippetImport, ATriggerAlreadyInTheLanguageIsImportedBesideItAndSaid) {
    SnippetImporter::Shortcuts existing;
    existing[4].insert("log");
    const auto result =
        Import("javascript.json", R"({"Log": {"prefix": ["log", "cl", "cl"], "body": "console.log($1);"}})", existing);
    ASSERT_EQ(result.snippets.size(), 1u);
    EXPECT_EQ(result.snippets[0].entries.size(), 3u);
    EXPECT_EQ(KindsOf(result.snippets[0]),
              (std::vector<std::string>{"shortcut already in the language", "shortcut already in the language"}));
    EXPECT_FALSE(result.LostSomething());
}

TEST(SnippetImport, MalformedFilesAreNamedWithTheirLineAndGiveNoEntries) {
    const std::vector<std::pair<std::string, std::string>> files{
        {"cpp.json", "{\n \"a\": {\"body\": \"x\"}\n \"b\": 1\n}"},
        {"cpp.json", "[1, 2]"},
        {"readme.txt", "snippet x"},
        {"cpp.snippets", "snippet a\nx\nendsnippet\nsnippet b \"never closed\"\nbody\n"},
        {"cpp.snippets", "snippet two words \"description\"\nx\nendsnippet\n"},
        {"x.sublime-snippet", "<snippet><content>x</snippet>"},
        {"x.xml", "<templates/>"},
        {"cpp.json", "{\n \"a\": {\"body\": \"x\",\n  \"n\": 1e999}\n}"},
    };
    for (const auto& [name, text] : files) {
        const auto result = Import(name, text);
        ASSERT_EQ(result.fileMessages.size(), 1u) << text;
        EXPECT_EQ(result.EntryCount(), 0u) << text;
        EXPECT_TRUE(result.LostSomething());
    }
    for (const auto& [index, where] : {std::pair{0, "cpp.json:3: not valid JSON"}, {7, "cpp.json:3: not valid JSON"}}) {
        const auto message = Import("cpp.json", files[index].second).fileMessages[0];
        EXPECT_NE(message.find(where), std::string::npos) << message;
    }
}
