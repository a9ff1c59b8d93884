#include <gtest/gtest.h>

#include "tests/tooltip/LayoutTestSupport.h"
#include "tooltip/MarkupEscape.h"

using namespace tarvel;

namespace {

std::string Shown(std::string_view code) {
    FakeHtmlPlatform platform;
    std::string text;
    for (const std::string& run : RunTexts(LayOut(platform, EscapeMarkupText(code))))
        text += run;
    return text;
}

TEST(MarkupEscape, CodeShowsAsWritten) {
    const char* const codes[] = {"a<b", "&lt;&amp;&nbsp;", "<b>bold</b>", "x &amp;&amp; y", "cout << \"&\";",
                                 "&lt;b&gt;", "a &", "<<"};
    for (const char* code : codes)
        EXPECT_EQ(Shown(code), code) << code;
}

TEST(MarkupEscape, OnlyAmpersandAndLessThanChange) {
    EXPECT_EQ(EscapeMarkupText("a<b&c>d\"e"), "a&lt;b&amp;c>d\"e");
}

}  // namespace
