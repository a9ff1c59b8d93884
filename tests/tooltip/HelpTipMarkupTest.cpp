#include <gtest/gtest.h>

#include "tooltip/HelpTipMarkup.h"

using namespace tarvel;

namespace {

TEST(HelpTipMarkup, TitleTipWithRuleAndBitmap) {
    const HelpTipParts parts{"Text<br>more", "http://h/support/tooltip.html?option=autotextTitle", true};
    EXPECT_EQ(HelpTipWithBitmap(parts, 146, 0xFFFFFF),
              "<table><tr><td><center><icon idres=1076 style=s></center></td><td>Text<br>more<br>"
              "<a href=http://h/support/tooltip.html?option=autotextTitle>More...</a>"
              "<br><hr width=\"100%\" color=green></td></tr><tr><td></td><td>"
              "<bmp idres=146 mask=0xFFFFFF style=s></td></tr></table>");
}

TEST(HelpTipMarkup, WithoutRuleTheBitmapIsOnTheNextRow) {
    EXPECT_EQ(HelpTipWithBitmap({"", "http://a", false}, 144, 0xFF00FF),
              "<table><tr><td><center><icon idres=1076 style=s></center></td><td><br><a href=http://a>More...</a>"
              "</td></tr><tr><td></td><td><bmp idres=144 mask=0xFF00FF style=s></td></tr></table>");
}

TEST(HelpTipMarkup, SiblingsDifferOnlyInTheLastCell) {
    EXPECT_EQ(HelpTipWithImageList({"T", "http://a", false}, 150, 16, 15, 0xFF00FF, 100),
              "<table><tr><td><center><icon idres=1076 style=s></center></td><td>T<br><a href=http://a>More...</a>"
              "</td></tr><tr><td></td><td><ilst idres=150 cx=16 cy=15 mask=0xFF00FF speed=100 style=s>"
              "</td></tr></table>");
    EXPECT_EQ(HelpTipWithBitmap({"T", "", false}, 146, 0),
              "<table><tr><td><center><icon idres=1076 style=s></center></td><td>T"
              "</td></tr><tr><td></td><td><bmp idres=146 mask=0x0 style=s></td></tr></table>");
}

TEST(HelpTipMarkup, CodePreviewShowsTheIconBesideTheEscapedText) {
    EXPECT_EQ(CodePreviewMarkup("a<b && c"),
              "<table><tr><td><icon idres=144 width=0 height=0></td><td>a&lt;b &amp;&amp; c</td></tr></table>");
}

}  // namespace
