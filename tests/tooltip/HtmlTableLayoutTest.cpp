#include <gtest/gtest.h>

#include "tests/tooltip/LayoutTestSupport.h"

using namespace tarvel;

namespace {

// Default cell padding 1 and spacing 2; a one-letter cell is 8 wide, 15 high.
constexpr int kPad = 1;
constexpr int kGap = 2;
constexpr int kCellHeight = kBodySize + 2 * kPad;

class HtmlTableLayoutTest : public ::testing::Test {
protected:
    HtmlDisplayList Lay(std::string_view markup, int maxWidth = 0) { return LayOut(platform, markup, maxWidth); }
    FakeHtmlPlatform platform;
};

TEST_F(HtmlTableLayoutTest, CellsSideBySideWithPaddingAndSpacing) {
    const HtmlDisplayList list = Lay("<table><tr><td>ab</td><td>cde</td></tr></table>");
    EXPECT_EQ(RunWithText(list, "ab").box.left, kGap + kPad);
    EXPECT_EQ(RunWithText(list, "ab").box.top, kGap + kPad);
    EXPECT_EQ(RunWithText(list, "cde").box.left, kGap + 14 + kGap + kPad);
    EXPECT_EQ(list.size, (HtmlSize{kGap + 14 + kGap + 20 + kGap, kGap + kCellHeight + kGap}));
}

TEST_F(HtmlTableLayoutTest, RowsStackAndColumnsTakeTheWidestCell) {
    const HtmlDisplayList list = Lay("<table><tr><td>a</td><td>b</td></tr><tr><td>abcd</td><td>c</td></tr></table>");
    EXPECT_EQ(RunWithText(list, "b").box.left, kGap + 26 + kGap + kPad);
    EXPECT_EQ(RunWithText(list, "c").box.left, kGap + 26 + kGap + kPad);
    EXPECT_EQ(RunWithText(list, "abcd").box.top, kGap + kCellHeight + kGap + kPad);
}

TEST_F(HtmlTableLayoutTest, ColspanSharesItsWidthOverTheSpannedColumns) {
    const HtmlDisplayList list =
        Lay("<table><tr><td colspan=2>abcdefgh</td></tr><tr><td>a</td><td>b</td></tr></table>");
    EXPECT_EQ(RunWithText(list, "b").box.left, kGap + 24 + kGap + kPad);
    EXPECT_EQ(list.size.cx, kGap + 24 + kGap + 24 + kGap);
}

TEST_F(HtmlTableLayoutTest, ColspanWhoseWidthDoesNotDivideEvenlyKeepsItsTextOnOneLine) {
    const HtmlDisplayList list = Lay("<table><tr><td colspan=3>abcdefg</td></tr></table>");
    EXPECT_EQ(RunTexts(list), std::vector<std::string>{"abcdefg"});
    EXPECT_EQ(list.size.cx, kGap + 7 * kAdvance + 2 * kPad + kGap);
}

TEST_F(HtmlTableLayoutTest, RowspanKeepsItsColumnTakenInLaterRows) {
    const HtmlDisplayList list = Lay("<table><tr><td rowspan=2>x</td><td>a</td></tr><tr><td>b</td></tr></table>");
    EXPECT_EQ(RunWithText(list, "b").box.left, kGap + 8 + kGap + kPad);
    EXPECT_EQ(RunWithText(list, "b").box.top, kGap + kCellHeight + kGap + kPad);
    EXPECT_EQ(RunWithText(list, "x").box.top, kGap + kPad);
}

TEST_F(HtmlTableLayoutTest, HugeSpansAreCutToTheTable) {
    const std::string rest = ">x</td><td>a</td></tr><tr><td>b</td></tr><tr><td>c</td></tr></table>";
    const HtmlDisplayList huge = Lay("<table><tr><td rowspan=1000000" + rest);
    const HtmlDisplayList exact = Lay("<table><tr><td rowspan=3" + rest);
    EXPECT_EQ(RunWithText(huge, "c").box, RunWithText(exact, "c").box);
    EXPECT_EQ(huge.size, exact.size);
    const HtmlDisplayList wide = Lay("<table><tr><td colspan=1000000>x</td></tr><tr><td>a</td></tr></table>");
    EXPECT_LE(wide.size.cx, kMaxExtent);
    EXPECT_EQ(RunWithText(wide, "a").box.left, kGap + kPad);
}

TEST_F(HtmlTableLayoutTest, CellPaddingAndSpacing) {
    const HtmlDisplayList list = Lay("<table cellpadding=4 cellspacing=0><tr><td>ab</td></tr></table>");
    EXPECT_EQ(RunWithText(list, "ab").box.left, 4);
    EXPECT_EQ(list.size, (HtmlSize{12 + 8, kBodySize + 8}));
}

TEST_F(HtmlTableLayoutTest, WidthsInPixelsAndPercent) {
    const HtmlDisplayList list = Lay("<table width=200><tr><td width=50%>a</td><td>b</td></tr></table>");
    EXPECT_EQ(list.size.cx, 200);
    EXPECT_EQ(RunWithText(list, "b").box.left, kGap + 100 + kGap + kPad);
    const HtmlDisplayList fixed = Lay("<table><tr><td width=30>a</td><td>b</td></tr></table>");
    EXPECT_EQ(RunWithText(fixed, "b").box.left, kGap + 30 + kGap + kPad);
}

TEST_F(HtmlTableLayoutTest, PercentTableWidthIsOfTheWholeText) {
    const HtmlDisplayList list = Lay("<table width=100%><tr><td>a</td></tr></table>xxxxxxxxxx");
    EXPECT_EQ(list.size.cx, 10 * kAdvance);
    const HtmlDisplayList half = Lay("<table width=50% border=1><tr><td>a</td></tr></table>xxxxxxxxxx");
    EXPECT_EQ(ItemsOf<HtmlBorder>(half).at(0)->box.Width(), 5 * kAdvance);
}

TEST_F(HtmlTableLayoutTest, NarrowTablesWrapTheirCells) {
    const HtmlDisplayList list = Lay("<table><tr><td>aaa bbb</td></tr></table>", kGap + 2 + 4 * kAdvance + kGap);
    EXPECT_EQ(RunTexts(list), (std::vector<std::string>{"aaa", "bbb"}));
}

TEST_F(HtmlTableLayoutTest, TableBorderIsRaisedAndCellsGetOnePixelSunkenBorders) {
    const HtmlDisplayList list = Lay("<table border=2 bordercolor=red><tr><td>a</td></tr></table>");
    const auto borders = ItemsOf<HtmlBorder>(list);
    ASSERT_EQ(borders.size(), 2u);
    EXPECT_EQ(borders[0]->box, MakeRect(0, 0, list.size.cx, list.size.cy));
    EXPECT_EQ(borders[0]->width, 2);
    EXPECT_EQ(borders[0]->style, HtmlBorderStyle::Solid);
    EXPECT_TRUE(borders[0]->raised);
    EXPECT_EQ(borders[0]->light, MakeColor(255, 0, 0));
    EXPECT_EQ(borders[1]->width, 1);
    EXPECT_FALSE(borders[1]->raised);
    EXPECT_EQ(borders[1]->box, MakeRect(2 + kGap, 2 + kGap, 6 + 2 * kPad + 2, kBodySize + 2 * kPad + 2));
    EXPECT_EQ(RunWithText(list, "a").box.left, 2 + kGap + 1 + kPad);
    const HtmlDisplayList own = Lay("<table border=2 bordercolor=red><tr><td bordercolor=blue>a</td></tr></table>");
    EXPECT_EQ(ItemsOf<HtmlBorder>(own).at(1)->light, MakeColor(0, 0, 255));
    EXPECT_EQ(ItemsOf<HtmlBorder>(own).at(1)->width, 1);
}

TEST_F(HtmlTableLayoutTest, BorderRules) {
    auto border = [&](std::string_view attributes) {
        const auto list = Lay("<table " + std::string(attributes) + "><tr><td>a</td></tr></table>");
        const auto borders = ItemsOf<HtmlBorder>(list);
        return borders.empty() ? HtmlBorder{{}, 0, HtmlBorderStyle::None} : *borders.front();
    };
    EXPECT_EQ(border("border=0 borderstyle=solid").width, 0);
    EXPECT_EQ(border("border=3 borderstyle=none").width, 0);
    EXPECT_EQ(border("border=3").style, HtmlBorderStyle::Solid);
    EXPECT_EQ(border("borderstyle=dotted").width, 1);
    EXPECT_EQ(border("border=3 borderstyle=dashed").width, 1);
    EXPECT_EQ(border("border=3 borderstyle=double").style, HtmlBorderStyle::Double);
    const auto cell = Lay("<table><tr border=4><td border=5 borderstyle=solid>a</td></tr></table>");
    for (const HtmlBorder* b : ItemsOf<HtmlBorder>(cell))
        EXPECT_EQ(b->width, 1);
    EXPECT_EQ(ItemsOf<HtmlBorder>(cell).size(), 2u);
}

TEST_F(HtmlTableLayoutTest, BackgroundsAndEffects) {
    auto fill = [&](std::string_view attributes) {
        const auto list = Lay("<table><tr><td " + std::string(attributes) + ">a</td></tr></table>");
        const auto fills = ItemsOf<HtmlFill>(list);
        return fills.empty() ? HtmlFill{{}, kEffectTransparent} : *fills.front();
    };
    EXPECT_EQ(fill("").effect, kEffectTransparent);
    const HtmlFill solid = fill("bgcolor=red");
    EXPECT_EQ(solid.effect, kEffectSolid);
    EXPECT_EQ(solid.begin, MakeColor(255, 0, 0));
    EXPECT_EQ(solid.end, MakeColor(255, 0, 0));
    EXPECT_EQ(fill("bgeffect=transparent bgcolor=red").effect, kEffectSolid);
    const HtmlFill bump = fill("bgeffect=softbump bgcolor=white bgmidcolor=#fff7f0 bgendcolor=0xC0C0D0");
    EXPECT_EQ(bump.effect, kEffectSoftBump);
    EXPECT_EQ(bump.middle, MakeColor(0xff, 0xf7, 0xf0));
    EXPECT_EQ(bump.end, 0xC0C0D0u);
    EXPECT_EQ(fill("bgeffect=vgradient").effect, kEffectVGradient);
    EXPECT_EQ(fill("bgeffect=metal").effect, kEffectMetal);
    EXPECT_EQ(fill("bgeffect=3hgradient").effect, kEffect3HGradient);
    EXPECT_EQ(fill("bgeffect=7").effect, kEffectNoise);
    const HtmlDisplayList list = Lay("<table bgcolor=blue><tr><td>a</td></tr></table>");
    EXPECT_EQ(ItemsOf<HtmlFill>(list).at(0)->box, MakeRect(0, 0, list.size.cx, list.size.cy));
}

TEST_F(HtmlTableLayoutTest, CellAlignmentAndVerticalAlignment) {
    const HtmlDisplayList list =
        Lay("<table><tr><td>abcdef<br>abcdef<br>abcdef</td><td valign=top>t</td><td valign=bottom>b</td>"
            "<td valign=middle>m</td><td>d</td></tr><tr><td align=right>r</td></tr><tr align=center><td>c</td></tr>"
            "</table>");
    EXPECT_EQ(RunWithText(list, "t").box.top, kGap + kPad);
    EXPECT_EQ(RunWithText(list, "b").box.top, kGap + kPad + 2 * kBodySize);
    EXPECT_EQ(RunWithText(list, "m").box.top, kGap + kPad + kBodySize);
    EXPECT_EQ(RunWithText(list, "d").box.top, kGap + kPad) << "cells align to the top unless asked otherwise";
    EXPECT_EQ(RunWithText(list, "r").box.left, kGap + kPad + 5 * kAdvance);
    EXPECT_EQ(RunWithText(list, "c").box.left, kGap + kPad + 5 * kAdvance / 2);
}

TEST_F(HtmlTableLayoutTest, PercentRuleInACellIsOfTheCellNotTheScreen) {
    const HtmlDisplayList list = Lay("<table><tr><td>abc<br><hr width=\"100%\" color=green></td></tr></table>", 1000);
    EXPECT_EQ(ItemsOf<HtmlRule>(list).at(0)->box.Width(), 3 * kAdvance);
    EXPECT_EQ(list.size.cx, kGap + 3 * kAdvance + 2 * kPad + kGap);
}

TEST_F(HtmlTableLayoutTest, NestedTablesAndCellsWithoutRows) {
    const HtmlDisplayList list = Lay("<table><td><table><tr><td>in</td></tr></table></td><td>out</td></table>");
    EXPECT_EQ(RunWithText(list, "in").box.left, kGap + kPad + kGap + kPad);
    EXPECT_EQ(RunWithText(list, "out").box.left, kGap + (kGap + 14 + kGap) + 2 * kPad + kGap + kPad);
}

TEST_F(HtmlTableLayoutTest, StyleAroundATableReachesItsCells) {
    const HtmlDisplayList list = Lay("<b><table><tr><td>a</td></tr></table></b>b");
    EXPECT_EQ(StyleOf(list, "a").weight, 800);
    EXPECT_EQ(StyleOf(list, "b").weight, 400);
    EXPECT_EQ(RunWithText(list, "b").box.top, kGap + kCellHeight + kGap);
}

TEST_F(HtmlTableLayoutTest, HelpTipMarkup) {
    platform.images[1076] = {32, 32};
    platform.images[146] = {40, 20};
    const HtmlDisplayList list =
        Lay("<table><tr><td><center><icon idres=1076 style=s></center></td><td>Help text.<br>"
            "<a href=http://example.invalid/support/tooltip.html?option=autotextTitle>More...</a>"
            "<br><hr width=\"100%\" color=green></td></tr><tr><td></td><td>"
            "<bmp idres=146 mask=0xFFFFFF style=s></td></tr></table>");
    const HtmlTextRun& more = RunWithText(list, "More...");
    EXPECT_EQ(more.link, 0);
    EXPECT_EQ(list.links.at(0).kind, HtmlLink::Kind::Href);
    EXPECT_EQ(list.LinkAt(more.box.left + 1, more.box.top + 1), 0);
    const HtmlRect text = RunWithText(list, "Help text.").box;
    EXPECT_EQ(ItemsOf<HtmlRule>(list).at(0)->box.Width(), 10 * kAdvance);
    EXPECT_EQ(ItemsOf<HtmlImage>(list).at(1)->box.left, text.left);
    EXPECT_EQ(ItemsOf<HtmlImage>(list).at(0)->box.left, kGap + kPad);
}

// The hover preview's markup around code of `lines` lines, each a long
// word and a line of short words.
std::string PreviewOf(int lines) {
    std::string code;
    for (int i = 0; i < lines; ++i)
        code += "if&lt;x; return total_of_all_the_items; // and so on and on\r\n";
    return "<table><tr><td><icon idres=144 width=0 height=0></td><td>" + code + "</td></tr></table>";
}

TEST_F(HtmlTableLayoutTest, ColumnsAreNeverNarrowerThanTheirWidestImageOrWord) {
    platform.images[144] = {32, 32};
    for (const int width : {0, 300, 200, 100}) {
        SCOPED_TRACE(width);
        const HtmlDisplayList list = Lay(PreviewOf(3), width);
        const HtmlRect icon = ItemsOf<HtmlImage>(list).at(0)->box;
        EXPECT_EQ(icon.Width(), 32);
        for (const HtmlTextRun* run : ItemsOf<HtmlTextRun>(list))
            EXPECT_GE(run->box.left, icon.right + kPad + kGap + kPad) << "the icon's cell keeps its padding";
        if (width == 100)
            continue;  // the word is longer than what is left of the line
        const std::string word = "total_of_all_the_items; ";
        for (const HtmlTextRun* run : ItemsOf<HtmlTextRun>(list)) {
            EXPECT_TRUE(run->text.size() < 4 || word.find(run->text) == std::string::npos || run->text == word ||
                        run->text + " " == word)
                << "a word that cannot wrap is kept whole: " << run->text;
        }
    }
    const HtmlDisplayList narrow = Lay("<table><tr><td>abcdefghij</td><td>a b c d e f g h i j</td></tr></table>", 80);
    EXPECT_EQ(RunWithText(narrow, "abcdefghij").box.Width(), 10 * kAdvance);
    EXPECT_EQ(RunWithText(narrow, "a").box.left, kGap + 10 * kAdvance + 2 * kPad + kGap + kPad)
        << "only the column that can wrap gives way";
}

TEST_F(HtmlTableLayoutTest, PreviewIconStandsBesideTheFirstLinesOfALongCode) {
    platform.images[144] = {32, 32};
    const HtmlDisplayList list = Lay(PreviewOf(300), 300);
    ASSERT_GT(list.size.cy, 300 * kBodySize);
    EXPECT_EQ(ItemsOf<HtmlImage>(list).at(0)->box.top, kGap + kPad);
}

TEST_F(HtmlTableLayoutTest, DefaultBordersShowAllFourSidesOnTheTooltipBackgrounds) {
    const HtmlDisplayList list = Lay("<table border=1><tr><td>x</td></tr></table>");
    const auto borders = ItemsOf<HtmlBorder>(list);
    ASSERT_EQ(borders.size(), 2u);
    const auto distance = [](HtmlColor a, HtmlColor b) {
        int sum = 0;
        for (int shift = 0; shift < 24; shift += 8)
            sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        return sum;
    };
    for (const HtmlBorder* border : borders)
        for (const HtmlColor background :
             {MakeColor(255, 255, 255), MakeColor(240, 247, 255), MakeColor(192, 192, 208)})
            for (const HtmlColor edge : {border->light, border->dark})
                EXPECT_GE(distance(edge, background), 90) << std::hex << edge << " on " << background;
}

}  // namespace
