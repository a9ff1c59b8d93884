// What the editor warns about while an entry is typed.
#include <gtest/gtest.h>

#include "store/EntryWarnings.h"

#include <string>
#include <vector>

using namespace tarvel;

namespace {

using EntryWarnings::Warning;
using Warnings = std::vector<Warning>;

struct WarningCase {
    const char* shortcut;
    const char* code;
    Warnings expected;
};

class WarningCases : public ::testing::TestWithParam<WarningCase> {};

// The language holds the entry, one entry with the shortcut "for" and one
// with none.
TEST_P(WarningCases, FindsWhatTheFilesOrTheHostChange) {
    AutotextEntry entry;
    entry.shortcut = GetParam().shortcut;
    entry.code = GetParam().code;
    AutotextEntry forLoop;
    forLoop.shortcut = "for";
    AutotextEntry titled;
    titled.title = "titled";
    const std::vector<AutotextEntry*> language{&forLoop, &entry, &titled};
    EXPECT_EQ(EntryWarnings::Find(entry, language), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    EntryWarnings, WarningCases,
    ::testing::Values(WarningCase{"if", "if ($cond$) {\r\n}", {}},
                      WarningCase{"if", "printf(\"%0d\", $n$);", {Warning::PercentZero}},
                      WarningCase{"if", "%1 %d 0%", {}},
                      WarningCase{"if", "$a$$b$$c$$d$$e$$f$$g$$h$ $DATE$ $end$ $a$", {}},
                      WarningCase{"if", "$a$$b$$c$$d$$e$$f$$g$$h$$i$", {Warning::TooManyPrompts}},
                      WarningCase{"for", "", {Warning::SharedShortcut}},
                      WarningCase{"For", "", {}},
                      WarningCase{"", "", {}},
                      WarningCase{"for", "%0 $1$$2$$3$$4$$5$$6$$7$$8$$9$",
                                  {Warning::PercentZero, Warning::TooManyPrompts, Warning::SharedShortcut}}));

TEST(EntryWarnings, EveryWarningHasItsText) {
    for (Warning warning : {Warning::PercentZero, Warning::TooManyPrompts, Warning::SharedShortcut})
        EXPECT_STRNE(EntryWarnings::TextOf(warning), "");
}

}  // namespace
