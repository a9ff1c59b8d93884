#include <gtest/gtest.h>

#include "pages/ReservedVariableTable.h"
#include "prompt/PromptFinder.h"

#include <set>
#include <string>
#include <vector>

namespace tarvel {
namespace {

using Names = std::vector<std::string>;

struct FindCase {
    const char* what;
    const char* code;
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
    {"at most eight", "$1$$2$$3$$4$$5$$6$$7$$8$$9$", {"1", "2", "3", "4", "5", "6", "7", "8"}},
};

TEST(PromptFinder, FindsPromptsAsAHostDoes) {
    for (const FindCase& c : kFindCases) {
        EXPECT_EQ(FindPrompts(c.code), c.prompts) << c.what;
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
        EXPECT_TRUE(IsReservedVariableName(name)) << variable.text;
        EXPECT_EQ(FindReservedVariable(variable.commandId), &variable);
    }
    EXPECT_EQ(AllReservedVariables().count, 42u);
    EXPECT_EQ(ids.size(), 42u);
    EXPECT_EQ(texts.size(), 42u);
    EXPECT_EQ(FindReservedVariable(32847), nullptr);
    EXPECT_FALSE(IsReservedVariableName("$DATE$"));
    EXPECT_FALSE(IsReservedVariableName("DATE$"));
}

}  // namespace
}  // namespace tarvel
