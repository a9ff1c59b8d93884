// Corners of the markup that help texts and descriptions reach.
#include <gtest/gtest.h>

#include <functional>

#include "tests/tooltip/LayoutTestSupport.h"

using namespace tarvel;

namespace {

constexpr int kBigSize = kBodySize * 125 / 100;  // big, with the line's ascent
constexpr int kBigAscent = kBigSize * 3 / 4;
// A text of rules only is twenty average characters wide.
constexpr int kDefaultWidth = 20 * kAdvance;

struct Corner {
    const char* name;
    std::string markup;
    int maxWidth;
    std::function<void(const HtmlDisplayList&)> check;
};

const Corner kCorners[] = {
    {"a column keeps its words while a word too long for the table breaks",
     "<table border=1 cellpadding=2><tr><td>Short</td><td>" + std::string(55, 'W') + "</td><td>x</td></tr></table>",
     300,
     [](const HtmlDisplayList& list) {
         RunWithText(list, "Short");
         RunWithText(list, "x");
         EXPECT_EQ(list.size.cx, 300) << "the long column takes what the others leave";
     }},
    {"a percentage column gives way to its longest word",
     "<table><tr><td><table width=100% border=1><tr><td width=40%>abcdefghijklmn</td><td width=60%>x</td></tr>"
     "</table></td></tr></table>",
     0, [](const HtmlDisplayList& list) { RunWithText(list, "abcdefghijklmn"); }},
    {"white space that overflows or is left at a break makes no line of its own",
     "a\r\n\t\t\t\tbbbbbb\r\n      cccccccc   \r\nddddddd\t\r\ne", 60,
     [](const HtmlDisplayList& list) {
         int line = 0;
         for (const char* text : {"a", "bbbbbb", "cccccccc", "ddddddd", "e"}) {
             EXPECT_EQ(RunWithText(list, text).box.top, kBodySize * line++) << text;
             EXPECT_EQ(RunWithText(list, text).box.left, 0) << text;
         }
     }},
    {"a tab moves at least two spaces on", "<table><tr><td>key\tvalue</td></tr></table>", 0,
     [](const HtmlDisplayList& list) {
         EXPECT_GE(RunWithText(list, "value").box.left - RunWithText(list, "key").box.right, 2 * kAdvance);
     }},
    {"a bordered run grows around the tallest thing on its line", "a<span class=box>b<bmp idres=146>c</span>", 0,
     [](const HtmlDisplayList& list) {
         const HtmlRect border = ItemsOf<HtmlBorder>(list).at(0)->box;
         const HtmlRect image = ItemsOf<HtmlImage>(list).at(0)->box;
         EXPECT_LE(border.top + 1 + 2, image.top) << "above the image by border and padding";
         EXPECT_GE(border.bottom, RunWithText(list, "c").box.bottom + 2 + 1);
         EXPECT_EQ(ItemsOf<HtmlFill>(list).at(0)->box.top, border.top + 1);
     }},
    {"backgrounds are as high as the line under sub and bigger text, inner ones over outer ones",
     "<font bkgnd=yellow>a<sub>b</sub><big>C</big><font bkgnd=red>d</font>e</font>f", 0,
     [](const HtmlDisplayList& list) {
         const auto fills = ItemsOf<HtmlFill>(list);
         ASSERT_EQ(fills.size(), 2u);
         EXPECT_EQ(fills[0]->box, MakeRect(0, 0, 5 * kAdvance, kBigSize));
         EXPECT_EQ(fills[1]->box, MakeRect(3 * kAdvance, 0, kAdvance, kBigSize));
         EXPECT_EQ(fills[1]->begin, MakeColor(255, 0, 0));
     }},
    {"underline, strike-out, overline and a hovered link's underline run on at the outer run's place",
     "<u>a<big>B</big><sub>c</sub>d</u><s>e<big>F</big>g</s><font style=o>h<big>I</big>j</font>"
     "<a href=x>k<big>L</big></a>",
     0,
     [](const HtmlDisplayList& list) {
         const int top = kBigAscent - kBodyAscent;  // of a body-sized cell on the line
         const int under = top + kBodyAscent + 1;
         std::vector<HtmlRect> boxes;
         for (const HtmlRule* rule : ItemsOf<HtmlRule>(list))
             boxes.push_back(rule->box);
         EXPECT_EQ(boxes, (std::vector<HtmlRect>{
                              MakeRect(0, under, 4 * kAdvance, 1), MakeRect(10 * kAdvance, under, 2 * kAdvance, 1),
                              MakeRect(4 * kAdvance, top + kBodyAscent - kBodySize / 4, 3 * kAdvance, 1),
                              MakeRect(7 * kAdvance, top + kBodySize / 4 - 2, 3 * kAdvance, 1)}));
         EXPECT_EQ(ItemsOf<HtmlRule>(list).at(1)->color, MakeColor(0, 0, 255));
     }},
    {"a wide rule is cut to the width available",
     "<hr width=500><table width=100% border=1><tr><td>a</td></tr></table>", 300,
     [](const HtmlDisplayList& list) {
         EXPECT_EQ(list.size.cx, 300);
         EXPECT_EQ(ItemsOf<HtmlRule>(list).at(0)->box.Width(), 300);
         EXPECT_EQ(ItemsOf<HtmlBorder>(list).at(0)->box.Width(), 300);
     }},
    {"rules alone take the default width", "<hr><hr size=3 color=red>", 0,
     [](const HtmlDisplayList& list) {
         EXPECT_EQ(list.size.cx, kDefaultWidth);
         for (const HtmlRule* rule : ItemsOf<HtmlRule>(list))
             EXPECT_EQ(rule->box.Width(), kDefaultWidth);
     }},
};

TEST(HtmlLayoutCorners, EachCornerLaysOutAsItReads) {
    FakeHtmlPlatform platform;
    platform.images[146] = {20, 30};
    const std::string sheet = std::string(kHtmlDefaultStyleSheet) +
                              "\n.box {border-width:1px; border-style:solid; border-color:red; padding:2px; "
                              "margin:3px; background-color:yellow}";
    for (const Corner& corner : kCorners) {
        SCOPED_TRACE(corner.name);
        corner.check(LayOut(platform, corner.markup, corner.maxWidth, 0, sheet));  // the link hovered
    }
}

}  // namespace
