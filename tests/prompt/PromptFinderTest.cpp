#include <gtest/gtest.h>

#include "pages/ReservedVariableTable.h"
#include "store/ReservedVariables.h"
#include "prompt/PromptFinder.h"
#include "prompt/PromptPreview.h"
#include "tests/prompt/ShiftJis.h"

#include <set>
#include <string>
#include <vector>

namespace tarvel {
namespace {

using Names = std::vector<std::string>;

struct FindCase {
    const char* what;
    std::string code;
    Names prompts;
};

const FindCase kFindCases[] = {
    {"none", "int x;", {}},
    {"one", "class $name$ {};", {"name"}},
    {"order of first appearance, each once", "$b$ $a$ $b$ $c$", {"b", "a", "c"}},
    {"reserved variables are the host's", "$DATE$ $end$ $FILE_PATH$ $SymbolName$ $foo$", {"foo"}},
    {"case matters", "$date$ $End$", {"date", "End"}},
    {"an empty name is none", "a $$ b", {}},
    {"the second sign of an empty pair may open a name", "$$x$", {"x"}},
    {"a name stays on one line", "cost $5\r\nand $count$", {"count"}},
    {"a name may hold spaces", "$class name$", {"class name"}},
    {"a lone sign opens nothing", "price in $ only", {}},
    {"all of them, past eight", "$1$$2$$3$$4$$5$$6$$7$$8$$9$", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    {"punctuation ends a name", "open(my $fh, '<', $file$) or die \"Cannot open $file$: $!\";\r\n$end$",
     {"file"}},
    {"amounts are no names", "costs $5 or $10 and $x-y_2$", {"x-y_2"}},
    {"no blank at either end", "$ a$ $b $ $c d$", {"c d"}},
    {"single-byte letters of the code page", "$\xB1\xB2$", {"\xB1\xB2"}},
    {"a second byte is no punctuation", "$\x95\x5C$ $\x83\x40$", {"\x95\x5C", "\x83\x40"}},
    {"a broken character leaves the sign", "$a\x83$ b", {"a\x83"}},
};

TEST(PromptFinder, FindsPromptsAsAHostDoes) {
    for (const FindCase& c : kFindCases) {
        EXPECT_EQ(FindPrompts(c.code, ShiftJisLeadBytes()), c.prompts) << c.what;
    }
}

TEST(PromptPreview, ShowsValuesInPlaceAndEmptyPromptsAsWrittenWithTheirMarks) {
    const std::string code = "for ($i$ = 0; $i$ < $n$; ++$i$) { $end$ }";
    const auto upper = [](std::string_view text) {
        std::string result(text);
        for (char& c : result) {
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        }
        return result;
    };
    const PromptPreview preview(code, {"i", "", "n"}, {}, upper);
    PreviewText shown;
    preview.Build({"k", "unused"}, shown);
    EXPECT_EQ(shown.text, "FOR (K = 0; K < $N$; ++K) { $END$ }");
    const std::vector<std::pair<std::string, bool>> expected{{"K", true}, {"K", true}, {"$N$", false}, {"K", true}};
    ASSERT_EQ(shown.marks.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(shown.text.substr(shown.marks[i].start, shown.marks[i].length), expected[i].first) << i;
        EXPECT_EQ(shown.marks[i].filled, expected[i].second) << i;
    }
}

TEST(PromptFinder, ExpandsPromptsAndLeavesReservedVariables) {
    const char code[] = "for ($i$ = 0; $i$ < $n$; ++$i$) { $end$ }";
    const Names prompts = FindPrompts(code);
    ASSERT_EQ(prompts, (Names{"i", "n"}));
    EXPECT_EQ(ExpandPrompts(code, prompts, {"k", "count"}), "for (k = 0; k < count; ++k) { $end$ }");
    EXPECT_EQ(ExpandPrompts("$a$ and $b$", {"a", "b"}, {"$b$", "x"}), "$b$ and x");
}

TEST(ReservedVariables, EveryMenuVariableIsReservedOnceWithItsOwnCommand) {
    std::set<unsigned> ids;
    std::set<std::string_view> texts;
    for (const ReservedVariable& variable : AllReservedVariables()) {
        ids.insert(variable.commandId);
        texts.insert(variable.text);
        const std::string_view name = variable.text.substr(1, variable.text.size() - 2);
        EXPECT_TRUE(ReservedVariables::IsReserved(name)) << variable.text;
        EXPECT_EQ(FindReservedVariable(variable.commandId), &variable);
    }
    EXPECT_EQ(AllReservedVariables().count, 42u);
    EXPECT_EQ(ids.size(), 42u);
    EXPECT_EQ(texts.size(), 42u);
    EXPECT_EQ(FindReservedVariable(32847), nullptr);
    EXPECT_FALSE(ReservedVariables::IsReserved("$DATE$"));
    EXPECT_FALSE(ReservedVariables::IsReserved("DATE$"));
}

}  // namespace
}  // namespace tarvel
