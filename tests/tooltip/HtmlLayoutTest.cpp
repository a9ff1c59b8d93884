#include <gtest/gtest.h>

#include "tests/tooltip/LayoutTestSupport.h"

using namespace tarvel;

namespace {

class HtmlLayoutTest : public ::testing::Test {
protected:
    HtmlDisplayList Lay(std::string_view markup, int maxWidth = 0, int hover = -1,
                        std::string_view sheet = kHtmlDefaultStyleSheet) {
        return LayOut(platform, markup, maxWidth, hover, sheet);
    }
    FakeHtmlPlatform platform;
};

TEST_F(HtmlLayoutTest, PlainTextIsOneRunInTheBodyStyle) {
    const HtmlDisplayList list = Lay("abc");
    const HtmlTextRun& run = RunWithText(list, "abc");
    EXPECT_EQ(run.box, MakeRect(0, 0, 3 * kAdvance, kBodySize));
    EXPECT_EQ(run.ascent, kBodyAscent);
    EXPECT_EQ(list.size, (HtmlSize{3 * kAdvance, kBodySize}));
    EXPECT_EQ(StyleOf(list, "abc").face, "Verdana");
    EXPECT_EQ(platform.FontStyle(run.font).face, "Verdana");
}

TEST_F(HtmlLayoutTest, EscapedTagsAreShownNotApplied) {
    const HtmlDisplayList list = Lay("&lt;b&gt;x&lt;/b&gt; a<<b");
    EXPECT_EQ(RunTexts(list), std::vector<std::string>{"<b>x</b> a<b"});
    EXPECT_EQ(StyleOf(list, "<b>x</b> a<b").weight, 400);
}

TEST_F(HtmlLayoutTest, BoldDoublesTheWeightUpToNineHundred) {
    const HtmlDisplayList list = Lay("<b>x<b>y</b></b>z");
    EXPECT_EQ(StyleOf(list, "x").weight, 800);
    EXPECT_EQ(StyleOf(list, "y").weight, 900);
    EXPECT_EQ(StyleOf(list, "z").weight, 400);
}

TEST_F(HtmlLayoutTest, ItalicUnderlineStrikeToggleAndCloseUndoes) {
    const HtmlDisplayList list = Lay("<i>a<i>b</i>c</i>d<u>e</u><s>f</s><strike>g</strike><em>h</em>");
    EXPECT_TRUE(StyleOf(list, "a").italic);
    EXPECT_FALSE(StyleOf(list, "b").italic);
    EXPECT_TRUE(StyleOf(list, "c").italic);
    EXPECT_FALSE(StyleOf(list, "d").italic);
    EXPECT_TRUE(StyleOf(list, "e").underline);
    EXPECT_TRUE(StyleOf(list, "f").strikeOut);
    EXPECT_TRUE(StyleOf(list, "g").strikeOut);
    EXPECT_TRUE(StyleOf(list, "h").italic);
}

TEST_F(HtmlLayoutTest, ClosingATagUndoesOnlyItsOwnEffect) {
    const HtmlDisplayList list = Lay("<b>a<i>b</b>c</i>d");
    EXPECT_EQ(StyleOf(list, "b").weight, 800);
    EXPECT_TRUE(StyleOf(list, "b").italic);
    EXPECT_EQ(StyleOf(list, "c").weight, 400);
    EXPECT_TRUE(StyleOf(list, "c").italic);
    EXPECT_FALSE(StyleOf(list, "d").italic);
}

TEST_F(HtmlLayoutTest, FontTagAttributes) {
    const HtmlDisplayList list =
        Lay(R"(<font face="Arial" size=5 color=red weight=bold bkgnd=yellow style="io-b">x</font>y)");
    const HtmlStyle& x = StyleOf(list, "x");
    EXPECT_EQ(x.face, "Arial");
    EXPECT_EQ(x.size, 18);
    EXPECT_EQ(x.color, MakeColor(255, 0, 0));
    EXPECT_TRUE(x.italic);
    EXPECT_TRUE(x.overline);
    EXPECT_EQ(x.weight, 400);
    EXPECT_TRUE(x.solidBackground);
    EXPECT_EQ(x.backgroundColor, MakeColor(255, 255, 0));
    EXPECT_EQ(StyleOf(list, "y"), StyleOf(Lay("y"), "y"));
}

TEST_F(HtmlLayoutTest, FontStyleLettersSwitchOnAndOff) {
    const HtmlDisplayList list = Lay(R"(<font style="bus">a<font style="-u+b-s">b</font></font>)");
    EXPECT_EQ(StyleOf(list, "a").weight, 700);
    EXPECT_TRUE(StyleOf(list, "a").underline && StyleOf(list, "a").strikeOut);
    EXPECT_EQ(StyleOf(list, "b").weight, 700);
    EXPECT_FALSE(StyleOf(list, "b").underline || StyleOf(list, "b").strikeOut);
}

TEST_F(HtmlLayoutTest, SpanTakesItsClassRule) {
    const HtmlDisplayList list = Lay("<span class=cpp-comment>// x</span>y<span class=none>z</span>");
    EXPECT_EQ(StyleOf(list, "// x").color, MakeColor(0, 128, 0));
    EXPECT_TRUE(StyleOf(list, "// x").italic);
    EXPECT_FALSE(StyleOf(list, "y").italic);
    EXPECT_EQ(StyleOf(list, "z"), StyleOf(list, "y"));
}

TEST_F(HtmlLayoutTest, StyledBlocksTakeTheirRuleAndGiveItBack) {
    const HtmlDisplayList list = Lay("<h1>a</h1><h6>b</h6><big>c</big><code>d</code>e");
    EXPECT_EQ(StyleOf(list, "a").size, 18);
    EXPECT_EQ(StyleOf(list, "a").weight, 700);
    EXPECT_EQ(StyleOf(list, "b").size, 8);
    EXPECT_EQ(StyleOf(list, "c").size, 16);
    EXPECT_EQ(StyleOf(list, "d").face, "Arial");
    EXPECT_EQ(StyleOf(list, "d").color, MakeColor(0x99, 0, 0));
    EXPECT_EQ(StyleOf(list, "e").size, kBodySize);
}

TEST_F(HtmlLayoutTest, DecorationUnderlineAndOverlineThenNone) {
    const HtmlDisplayList list = Lay("<span class=x>a<span class=y>b</span>c</span>", 0, -1,
                                     ".x {text-decoration:underline overline} .y {text-decoration:none}");
    EXPECT_TRUE(StyleOf(list, "a").underline && StyleOf(list, "a").overline);
    EXPECT_FALSE(StyleOf(list, "b").underline || StyleOf(list, "b").overline);
    EXPECT_TRUE(StyleOf(list, "c").underline && StyleOf(list, "c").overline);
}

TEST_F(HtmlLayoutTest, TextTransform) {
    const HtmlDisplayList list = Lay("<span class=u>ab</span> <span class=c>one two</span>", 0, -1,
                                     ".u {text-transform:uppercase} .c {text-transform:capitalize}");
    RunWithText(list, "AB");
    RunWithText(list, "One Two");
}

TEST_F(HtmlLayoutTest, CapitalizeGoesByWordsNotByRuns) {
    const HtmlDisplayList list =
        Lay("<span class=c>w<b>ord (one) x-ray</b>two<br>three</span>", 0, -1, ".c {text-transform:capitalize}");
    EXPECT_EQ(RunTexts(list), (std::vector<std::string>{"W", "ord (One) X-ray", "two", "Three"}));
}

TEST_F(HtmlLayoutTest, SubAndSupSitAtTheBottomAndTopOfTheLine) {
    const HtmlDisplayList list = Lay("a<sub>b</sub><sup>c</sup>");
    EXPECT_EQ(RunWithText(list, "a").box.top, 0);
    EXPECT_EQ(RunWithText(list, "b").box, MakeRect(kAdvance, kBodySize - 8, kAdvance, 8));
    EXPECT_EQ(RunWithText(list, "c").box.top, 0);
}

TEST_F(HtmlLayoutTest, VerticalAlignmentTags) {
    const HtmlDisplayList list =
        Lay("<font size=36px>A</font>b<top>c</top><vcenter>d</vcenter><bottom>e</bottom><baseline>f</baseline>");
    EXPECT_EQ(RunWithText(list, "b").box.top, 27 - kBodyAscent);
    EXPECT_EQ(RunWithText(list, "c").box.top, 0);
    EXPECT_EQ(RunWithText(list, "d").box.top, (36 - kBodySize) / 2);
    EXPECT_EQ(RunWithText(list, "e").box.top, 36 - kBodySize);
    EXPECT_EQ(RunWithText(list, "f").box.top, 27 - kBodyAscent);
}

TEST_F(HtmlLayoutTest, LineBreaksWithCountsAndLineFeeds) {
    EXPECT_EQ(RunWithText(Lay("a<br>b"), "b").box.top, kBodySize);
    EXPECT_EQ(RunWithText(Lay("a\r\nb"), "b").box.top, kBodySize);
    EXPECT_EQ(RunWithText(Lay("a<br 3>b"), "b").box.top, 3 * kBodySize);
    EXPECT_EQ(RunWithText(Lay("a<br=2>b"), "b").box.top, 2 * kBodySize);
    EXPECT_EQ(Lay("a<br><br>").size.cy, 2 * kBodySize);
}

TEST_F(HtmlLayoutTest, HugeBreakCountIsBounded) {
    const HtmlDisplayList list = Lay("a<br=1000000000>b<br 4000000000>c");
    EXPECT_EQ(list.items.size(), 3u);
    EXPECT_LE(list.size.cy, kMaxExtent);
    EXPECT_EQ(RunWithText(list, "b").box.top, 1000 * kBodySize);
}

TEST_F(HtmlLayoutTest, TabsGoToStopsOfFourSpaces) {
    EXPECT_EQ(RunWithText(Lay("a\tb"), "b").box.left, 4 * kAdvance);
    EXPECT_EQ(RunWithText(Lay("abcde<t>b"), "b").box.left, 8 * kAdvance);
    EXPECT_EQ(RunWithText(Lay("ab<t 2>c"), "c").box.left, 8 * kAdvance);
}

TEST_F(HtmlLayoutTest, WrapsAfterTheLastBreakCharacterThatFits) {
    const HtmlDisplayList list = Lay("hello world foo", 10 * kAdvance);
    EXPECT_EQ(RunTexts(list), (std::vector<std::string>{"hello", "world foo"}));
    EXPECT_EQ(RunWithText(list, "world foo").box, MakeRect(0, kBodySize, 9 * kAdvance, kBodySize));
    EXPECT_EQ(RunTexts(Lay("aaaa-bbbb", 6 * kAdvance)), (std::vector<std::string>{"aaaa-", "bbbb"}));
    EXPECT_EQ(RunTexts(Lay("f(a,b)x", 5 * kAdvance)), (std::vector<std::string>{"f(a,", "b)x"}));
}

TEST_F(HtmlLayoutTest, SpacesWhereTheLineBreaksTakeNoLineOfTheirOwn) {
    const HtmlDisplayList list = Lay("hello  world", 5 * kAdvance);
    EXPECT_EQ(RunTexts(list), (std::vector<std::string>{"hello", "world"}));
    EXPECT_EQ(RunWithText(list, "world").box, MakeRect(0, kBodySize, 5 * kAdvance, kBodySize));
    const HtmlDisplayList after = Lay("ab<b>cde fg</b>", 5 * kAdvance);
    EXPECT_EQ(RunWithText(after, "cde").box, MakeRect(2 * kAdvance, 0, 3 * kAdvance, kBodySize));
    EXPECT_EQ(RunWithText(after, "fg").box.top, kBodySize);
}

TEST_F(HtmlLayoutTest, WordsLongerThanTheLineBreakInside) {
    EXPECT_EQ(RunTexts(Lay("abcdefghijklmnop", 10 * kAdvance)), (std::vector<std::string>{"abcdefghij", "klmnop"}));
    EXPECT_EQ(RunTexts(Lay("xx<b>abcdefghijkl</b>", 10 * kAdvance)),
              (std::vector<std::string>{"xx", "abcdefghij", "kl"}));
    EXPECT_EQ(RunTexts(Lay("abc", 1)), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(HtmlLayoutTest, AlignmentTagsMoveTheirLines) {
    const HtmlDisplayList list = Lay("<center>ab</center><br><right>c</right><br>abcdef");
    EXPECT_EQ(RunWithText(list, "ab").box.left, 2 * kAdvance);
    EXPECT_EQ(RunWithText(list, "c").box.left, 5 * kAdvance);
    EXPECT_EQ(RunWithText(list, "abcdef").box.left, 0);
}

TEST_F(HtmlLayoutTest, RulesSpanTheirShareOfTheWidth) {
    const HtmlDisplayList list = Lay("abcdef<hr>x<hr width=50% size=3 color=red><hr width=10>");
    const auto rules = ItemsOf<HtmlRule>(list);
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_EQ(rules[0]->box, MakeRect(0, kBodySize + 2, 6 * kAdvance, 1));
    EXPECT_EQ(rules[0]->color, StyleOf(list, "x").color);
    EXPECT_EQ(RunWithText(list, "x").box.top, kBodySize + 5);
    EXPECT_EQ(rules[1]->box.Width(), 3 * kAdvance);
    EXPECT_EQ(rules[1]->box.Height(), 3);
    EXPECT_EQ(rules[1]->color, MakeColor(255, 0, 0));
    EXPECT_EQ(rules[2]->box.Width(), 10);
    EXPECT_EQ(ItemsOf<HtmlRule>(Lay("abcdef<hr width=wide>")).at(0)->box.Width(), 6 * kAdvance);
}

TEST_F(HtmlLayoutTest, LinksAreNumberedAndTheHoveredOneTakesTheHoverStyle) {
    const std::string markup = "<a href=u>ab</a> <a msg=m>cd</a>";
    const HtmlDisplayList plain = Lay(markup);
    EXPECT_EQ(RunWithText(plain, "ab").link, 0);
    EXPECT_EQ(RunWithText(plain, "cd").link, 1);
    EXPECT_EQ(RunWithText(plain, " ").link, -1);
    EXPECT_FALSE(StyleOf(plain, "cd").underline);
    EXPECT_EQ(StyleOf(plain, "cd").color, MakeColor(0, 0, 255));
    const HtmlDisplayList hovered = Lay(markup, 0, 1);
    EXPECT_TRUE(StyleOf(hovered, "cd").underline);
    EXPECT_FALSE(StyleOf(hovered, "ab").underline);
    ASSERT_EQ(hovered.links.size(), 2u);
    EXPECT_EQ(hovered.links[1].target, "m");
}

TEST_F(HtmlLayoutTest, LinkAreasCoverTheLinkOnEachLine) {
    const HtmlDisplayList list = Lay("x<a href=u>ab cd</a>", 4 * kAdvance);
    const auto areas = ItemsOf<HtmlLinkArea>(list);
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_EQ(areas[0]->box, MakeRect(kAdvance, 0, 2 * kAdvance, kBodySize));
    EXPECT_EQ(areas[1]->box, MakeRect(0, kBodySize, 2 * kAdvance, kBodySize));
    EXPECT_EQ(list.LinkAt(kAdvance + 1, 1), 0);
    EXPECT_EQ(list.LinkAt(0, 1), -1);
    EXPECT_EQ(list.LinkAt(kAdvance, kBodySize + 1), 0);
    EXPECT_EQ(list.LinkAt(3 * kAdvance, kBodySize + 1), -1);
}

TEST_F(HtmlLayoutTest, SpacesBeforeAWrapTakeNoRoomSoCenteredLinesStayCentered) {
    const HtmlDisplayList list = Lay("<center>abc de fghij</center>", 8 * kAdvance);
    EXPECT_EQ(RunTexts(list), (std::vector<std::string>{"abc de", "fghij"}));
    EXPECT_EQ(list.size.cx, 6 * kAdvance);
    EXPECT_EQ(RunWithText(list, "fghij").box.left, kAdvance / 2);
    EXPECT_EQ(RunTexts(Lay("ab   cdefgh", 4 * kAdvance)), (std::vector<std::string>{"ab", "cdef", "gh"}));
}

TEST_F(HtmlLayoutTest, ImagesTakeTheirOwnOrTheAskedSize) {
    platform.images[146] = {20, 10};
    const HtmlDisplayList list =
        Lay("<bmp idres=146><bmp idres=146 width=40 height=50%><icon idres=146 width=0 height=0><ilst idres=7>");
    const auto images = ItemsOf<HtmlImage>(list);
    ASSERT_EQ(images.size(), 4u);
    EXPECT_EQ(images[0]->box, MakeRect(0, 0, 20, 10));
    EXPECT_EQ(images[1]->box, MakeRect(20, 5, 40, 5));
    EXPECT_EQ(images[2]->box, MakeRect(60, 0, 20, 10));
    EXPECT_EQ(images[2]->source.kind, HtmlImageKind::Icon);
    EXPECT_EQ(images[3]->box.Width(), 0);
}

TEST_F(HtmlLayoutTest, ImageAttributes) {
    const HtmlDisplayList list =
        Lay(R"(<ilst idres=0x10 srcdll="other.dll" index=2 cx=16 cy=15 mask=0xFF00FF speed=100 style=gdl hotstyle=s>)"
            R"(<bmp file="pic.bmp" handle=1A2B mask>)");
    const auto images = ItemsOf<HtmlImage>(list);
    ASSERT_EQ(images.size(), 2u);
    const HtmlImage& a = *images[0];
    EXPECT_EQ(a.source.resourceId, 16u);
    EXPECT_EQ(a.source.module, "other.dll");
    EXPECT_EQ(a.source.cellWidth, 16);
    EXPECT_EQ(a.source.cellHeight, 15);
    EXPECT_TRUE(a.source.masked);
    EXPECT_EQ(a.source.maskColor, 0xFF00FFu);
    EXPECT_EQ(a.index, 2);
    EXPECT_EQ(a.speed, 100);
    EXPECT_EQ(a.style, kImageGrey | kImageDarker | kImageLighter);
    EXPECT_TRUE(a.hasHotStyle);
    EXPECT_EQ(a.hotStyle, 0u);  // no shadow without shadow offsets
    EXPECT_EQ(images[1]->source.file, "pic.bmp");
    EXPECT_EQ(images[1]->source.handle, 0x1A2Bu);
    EXPECT_TRUE(images[1]->source.masked);
}

TEST_F(HtmlLayoutTest, ResourceIdsUseAllSixteenBitsAndNoMore) {
    platform.images[40000] = {12, 12};
    platform.images[1] = {10, 10};
    const HtmlDisplayList list = Lay("<bmp idres=40000><bmp idres=65537>");
    const auto images = ItemsOf<HtmlImage>(list);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0]->source.resourceId, 40000u);
    EXPECT_EQ(images[0]->box.Width(), 12);
    EXPECT_EQ(images[1]->box.Width(), 0);
}

TEST_F(HtmlLayoutTest, ShadowedImagesStandOnTheBaselineAndReserveTheShadowBelow) {
    platform.images[1] = {10, 10};
    const CHtmlStyleSheet sheet(kHtmlDefaultStyleSheet);
    HtmlLayoutOptions options;
    options.imageShadow.offsetX = 6;
    options.imageShadow.offsetY = 6;
    const HtmlDisplayList list =
        CHtmlLayout(platform, sheet).Layout("<bmp idres=1 style=s>x<bmp idres=1>y<bmp idres=1 style=s>", options);
    const auto images = ItemsOf<HtmlImage>(list);
    EXPECT_EQ(images.at(0)->style, static_cast<unsigned>(kImageShadow));
    EXPECT_EQ(RunWithText(list, "x").box.left, 16);
    const HtmlTextRun& x = RunWithText(list, "x");
    for (const HtmlImage* image : images)
        EXPECT_EQ(image->box.bottom, x.box.top + x.ascent);
    EXPECT_EQ(list.size.cy, 10 + 6);
}

TEST_F(HtmlLayoutTest, ImagesInLinksAreLinked) {
    platform.images[1] = {10, 10};
    const HtmlDisplayList list = Lay("<a href=u><bmp idres=1></a>");
    EXPECT_EQ(ItemsOf<HtmlImage>(list).at(0)->link, 0);
    EXPECT_EQ(list.LinkAt(5, 5), 0);
}

TEST_F(HtmlLayoutTest, StringTagDrawsTheResourceTextInTheCurrentStyle) {
    platform.strings[104] = "Text <b>\r\nx";
    const HtmlDisplayList list = Lay("<b><string idres=104></b><string idres=5>");
    EXPECT_EQ(RunTexts(list), (std::vector<std::string>{"Text <b>", "x"}));
    EXPECT_EQ(StyleOf(list, "x").weight, 800);
}

TEST_F(HtmlLayoutTest, UnknownTagsAndStrayClosingTagsAreIgnored) {
    EXPECT_EQ(RunTexts(Lay("</b>a<blink>b</i></td><tr>")), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(StyleOf(Lay("</b>a"), "a").weight, 400);
}

TEST_F(HtmlLayoutTest, DeepNestingIsBounded) {
    std::string markup;
    for (int i = 0; i < 5000; ++i)
        markup += "<big>";
    markup += "x";
    const HtmlDisplayList list = Lay(markup);
    EXPECT_LE(StyleOf(list, "x").size, kMaxLength);
}

TEST_F(HtmlLayoutTest, TabsMoveAtLeastASpaceToStopsOfFourAverageWidths) {
    platform.spaceAdvance = 2;  // as narrow as in a proportional font
    const int stop = 4 * kAdvance;
    const struct {
        const char* markup;
        int x;
    } cases[] = {
        {"<t>x", stop}, {"abc<t>x", stop}, {"abcd<t>x", 2 * stop}, {"a<t=2>x", 2 * stop}, {"two<t>stops<t>x", 3 * stop},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunWithText(Lay(c.markup), "x").box.left, c.x) << c.markup;
}

TEST_F(HtmlLayoutTest, ABackgroundCoversTheRoomOfATab) {
    const HtmlDisplayList list = Lay("<pre>ab<t>c</pre>d<t>e");
    const auto fills = ItemsOf<HtmlFill>(list);
    ASSERT_EQ(fills.size(), 1u) << "only where the background is solid";
    const HtmlRect ab = RunWithText(list, "ab").box, c = RunWithText(list, "c").box;
    EXPECT_EQ(fills[0]->box, MakeRect(ab.left, 0, c.right - ab.left, list.size.cy)) << "one, as high as the line";
    EXPECT_EQ(fills[0]->begin, MakeColor(0xfb, 0xed, 0xbb));
}

TEST_F(HtmlLayoutTest, JustifyStretchesWrappedLinesToBothEdges) {
    const HtmlDisplayList list = Lay("<justify>aa bb cc dddddddddd ee<br>ff gg</justify>", 60);
    EXPECT_EQ(RunWithText(list, "aa bb cc").box.Width(), 60);
    EXPECT_EQ(RunWithText(list, "aa bb cc").justify, 12);
    EXPECT_EQ(RunWithText(list, "ee").box.Width(), 2 * kAdvance) << "a line ending in a break stays left";
    EXPECT_EQ(RunWithText(list, "ff gg").box.Width(), 5 * kAdvance) << "the last line stays left";

    const HtmlDisplayList linked = Lay("<justify>aa <a href=x>bb cc</a> dddddddddd</justify>", 60);
    EXPECT_EQ(RunWithText(linked, "aa ").box, MakeRect(0, 0, 24, kBodySize));
    EXPECT_EQ(RunWithText(linked, "bb cc").box, MakeRect(24, 0, 36, kBodySize));
    EXPECT_EQ(linked.LinkAt(59, 1), 0);
    EXPECT_EQ(linked.LinkAt(23, 1), -1);
}

TEST_F(HtmlLayoutTest, BorderPaddingAndMarginOfAStyleAreDrawnAroundItsRun) {
    const std::string sheet = std::string(kHtmlDefaultStyleSheet) +
                              "\n.box {border-width:1px; border-style:solid; border-color:red; padding:2px; "
                              "margin:3px; background-color:yellow}";
    const HtmlDisplayList list = Lay("a<span class=box>bc</span>d", 0, -1, sheet);
    const HtmlRect bc = RunWithText(list, "bc").box;
    EXPECT_EQ(bc.left, kAdvance + 3 + 1 + 2);
    EXPECT_EQ(RunWithText(list, "d").box.left, bc.right + 2 + 1 + 3);
    const auto borders = ItemsOf<HtmlBorder>(list);
    ASSERT_EQ(borders.size(), 1u);
    EXPECT_EQ(borders[0]->box, MakeRect(bc.left - 3, bc.top - 3, bc.Width() + 6, bc.Height() + 6));
    EXPECT_EQ(borders[0]->light, MakeColor(255, 0, 0));
    EXPECT_EQ(ItemsOf<HtmlFill>(list).at(0)->box, MakeRect(bc.left - 2, bc.top - 2, bc.Width() + 4, bc.Height() + 4));
    EXPECT_GE(bc.top, 3 + 1 + 2) << "the line makes room for the box";
    EXPECT_EQ(StyleOf(list, "bc").padding, 0) << "runs inside do not get a box of their own";

    const HtmlDisplayList wrapped = Lay("<span class=box>aaa bbb</span>", 40, -1, sheet);
    const auto parts = ItemsOf<HtmlBorder>(wrapped);
    ASSERT_EQ(parts.size(), 2u) << "one box per line the run covers";
    EXPECT_EQ(parts[0]->box.left, 3);
    EXPECT_EQ(parts[0]->box.right, 6 + 3 * kAdvance + 3);
    EXPECT_EQ(parts[1]->box.left, 3);
    EXPECT_EQ(RunWithText(wrapped, "bbb").box.left, 6);
    EXPECT_GT(parts[1]->box.top, parts[0]->box.bottom);
}

}  // namespace
