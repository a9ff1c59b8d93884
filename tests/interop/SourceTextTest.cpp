// Messages said of many files are filled in as printf would write them.
#include <gtest/gtest.h>

#include <string>

#include "interop/SourceText.h"
#include "store/TextRules.h"

using namespace tarvel;

namespace {

TEST(SourceText, FillsAMessageAsPrintfWould) {
    constexpr const char* kPattern = "%s: %d snippets for \"%s\" not imported: 100%% %s";
    EXPECT_EQ(SourceText::Filled(kPattern, {"a/b.snippets", "12", "python", ""}),
              TextRules::Format(kPattern, "a/b.snippets", 12, "python", ""));
    struct Case {
        const char* pattern;
        std::initializer_list<std::string_view> texts;
        const char* filled;
    } const cases[] = {
        {"none", {}, "none"},
        {"%s%s", {"", "b"}, "b"},
        {"ends in %", {}, "ends in %"},
        {"%x and %s", {"a"}, "%x and a"},
        {"%s and %s", {"one"}, "one and %s"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SourceText::Filled(c.pattern, c.texts), c.filled) << c.pattern;
}

}  // namespace
