#include <gtest/gtest.h>

#include "tests/tooltip/FakeHtmlPlatform.h"
#include "tooltip/CHtmlStyleContext.h"
#include "tooltip/CHtmlStyleSheet.h"
#include "tooltip/HtmlDefaultStyleSheet.h"

using namespace tarvel;

namespace {

class StyleSheetTest : public ::testing::Test {
protected:
    HtmlStyle Applied(std::string_view property, std::string_view value, HtmlStyle style = {}) {
        context.ApplyDeclaration(style, property, value);
        return style;
    }
    HtmlColor ColorOf(std::string_view value, HtmlColor before = 0x123456) {
        HtmlStyle style;
        style.color = before;
        return Applied("color", value, style).color;
    }

    FakeHtmlPlatform platform;
    CHtmlStyleContext context{platform};
};

constexpr HtmlColor kOrange = MakeColor(255, 153, 0);

TEST_F(StyleSheetTest, ColorForms) {
    EXPECT_EQ(ColorOf("#ff9900"), kOrange);
    EXPECT_EQ(ColorOf("0x0099ff"), kOrange);
    EXPECT_EQ(ColorOf("39423"), kOrange);
    EXPECT_EQ(ColorOf("#f90"), 0x123456u);
    EXPECT_EQ(ColorOf("#ff99001"), 0x123456u);
    EXPECT_EQ(ColorOf("#gg9900"), 0x123456u);
    EXPECT_EQ(ColorOf("Blue"), MakeColor(0, 0, 255));
}

TEST_F(StyleSheetTest, ColorTableNamesAndTheirExceptions) {
    EXPECT_EQ(context.Colors().Count(), 168u);
    EXPECT_EQ(ColorOf("darkseagreen"), MakeColor(143, 188, 139));
    EXPECT_EQ(ColorOf("gray"), MakeColor(128, 128, 128));
    EXPECT_EQ(ColorOf("lightgrey"), MakeColor(211, 211, 211));
    for (const char* absent :
         {"grey", "darkgrey", "darkslategrey", "dimgrey", "lightslategrey", "slategrey", "lightgray", "nosuchcolour"})
        EXPECT_EQ(ColorOf(absent), 0x123456u) << absent;
}

TEST_F(StyleSheetTest, SystemColorsComeFromThePlatform) {
    EXPECT_EQ(ColorOf("infobackground"), FakeHtmlPlatform::SystemColorFor(kSysInfoBk));
    EXPECT_EQ(ColorOf("threedface"), FakeHtmlPlatform::SystemColorFor(kSysBtnFace));
    EXPECT_EQ(ColorOf("inactivecaptiontext"), FakeHtmlPlatform::SystemColorFor(kSysInactiveCaptionText));
}

TEST_F(StyleSheetTest, LengthUnits) {
    HtmlStyle base;
    base.size = 20;
    auto size = [&](std::string_view v) { return Applied("font-size", v, base).size; };
    EXPECT_EQ(size("12px"), 12);
    EXPECT_EQ(size("10pt"), 13);
    EXPECT_EQ(size("1in"), 96);
    EXPECT_EQ(size("2.54cm"), 96);
    EXPECT_EQ(size("25.4mm"), 96);
    EXPECT_EQ(size("1pc"), 16);
    EXPECT_EQ(size("2em"), 40);
    EXPECT_EQ(size("1.5ex"), 15);
    EXPECT_EQ(size("0000000000015px"), 15);
    EXPECT_EQ(size("123456789012px"), kMaxLength);
    EXPECT_EQ(size("+15"), 15);
    EXPECT_EQ(size("-15"), 15);
    EXPECT_EQ(size("12furlongs"), 20);
    EXPECT_EQ(size("big"), 20);
}

TEST_F(StyleSheetTest, PercentagesAreIntegerMultiplyAndDivide) {
    HtmlStyle base;
    base.size = 13;
    EXPECT_EQ(Applied("font-size", "65%", base).size, 8);
    EXPECT_EQ(Applied("font-size", "125%", base).size, 16);
}

TEST_F(StyleSheetTest, BareFontSizesOneToSevenAreHtmlSizes) {
    const int expected[] = {8, 10, 12, 14, 18, 24, 36};
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(Applied("font-size", std::to_string(i)).size, expected[i - 1]);
    EXPECT_EQ(Applied("font-size", "9").size, 9);
    EXPECT_EQ(Applied("margin", "3").margin, 3);
}

TEST_F(StyleSheetTest, TextDecorationListsAndNone) {
    HtmlStyle s = Applied("text-decoration", "underline overline");
    EXPECT_TRUE(s.underline);
    EXPECT_TRUE(s.overline);
    EXPECT_FALSE(s.strikeOut);
    s = Applied("text-decoration", "line-through,underline", s);
    EXPECT_TRUE(s.strikeOut);
    s = Applied("text-decoration", "none", s);
    EXPECT_FALSE(s.underline || s.overline || s.strikeOut);
}

TEST_F(StyleSheetTest, FontProperties) {
    EXPECT_EQ(Applied("font-weight", "bold").weight, 700);
    EXPECT_EQ(Applied("font-weight", "bolder").weight, 900);
    EXPECT_EQ(Applied("font-weight", "lighter").weight, 100);
    EXPECT_EQ(Applied("font-weight", "600").weight, 600);
    EXPECT_EQ(Applied("font-weight", "5000").weight, 900);
    EXPECT_TRUE(Applied("font-style", "oblique").italic);
    EXPECT_EQ(Applied("font-family", "\"Courier\"").face, "Courier");
    EXPECT_EQ(Applied("text-transform", "uppercase").transform, HtmlTextTransform::Uppercase);
    EXPECT_EQ(Applied("text-align", "right").hAlign, HtmlHAlign::Right);
    EXPECT_EQ(Applied("vertical-align", "vcenter").vAlign, HtmlVAlign::Middle);
}

TEST_F(StyleSheetTest, BackgroundColorSolidOrTransparent) {
    HtmlStyle s = Applied("background-color", "#fbedbb");
    EXPECT_TRUE(s.solidBackground);
    EXPECT_EQ(s.backgroundColor, MakeColor(0xfb, 0xed, 0xbb));
    EXPECT_FALSE(Applied("background-color", "transparent", s).solidBackground);
}

TEST_F(StyleSheetTest, BorderWidthAndStyleRules) {
    HtmlStyle s = Applied("border-width", "3px");
    EXPECT_EQ(s.borderStyle, HtmlBorderStyle::Solid);
    EXPECT_EQ(Applied("border-width", "thick", s).borderWidth, 3);
    s.borderWidth = 4;
    EXPECT_EQ(Applied("border-width", "thin", s).borderWidth, 3);
    EXPECT_EQ(Applied("size", "0", s).borderStyle, HtmlBorderStyle::None);
    s.borderWidth = kMaxLength;
    for (int i = 0; i < 100; ++i)
        s = Applied("border-width", "thick", s);
    EXPECT_EQ(s.borderWidth, kMaxLength);
    const HtmlStyle dotted = Applied("border-style", "dotted");
    EXPECT_EQ(dotted.borderWidth, 1);
    EXPECT_EQ(dotted.borderStyle, HtmlBorderStyle::Dotted);
    const HtmlStyle colored = Applied("border-color", "red");
    EXPECT_EQ(colored.borderLight, MakeColor(255, 0, 0));
    EXPECT_EQ(colored.borderDark, MakeColor(255, 0, 0));
}

TEST_F(StyleSheetTest, SheetRulesWithSeveralPerLineAndUnknownProperties) {
    const CHtmlStyleSheet sheet(".a {color:red; nonsense:1} .b{color:blue}\nH1, h2 {font-weight:bold}");
    HtmlStyle s;
    EXPECT_TRUE(sheet.Apply(".a", s, context));
    EXPECT_EQ(s.color, MakeColor(255, 0, 0));
    EXPECT_TRUE(sheet.Apply(".b", s, context));
    EXPECT_EQ(s.color, MakeColor(0, 0, 255));
    EXPECT_TRUE(sheet.Apply("h2", s, context));
    EXPECT_EQ(s.weight, 700);
    EXPECT_FALSE(sheet.Apply(".c", s, context));
}

TEST_F(StyleSheetTest, DefaultSheetRules) {
    const CHtmlStyleSheet sheet(kHtmlDefaultStyleSheet);
    HtmlStyle s;
    sheet.Apply("body", s, context);
    EXPECT_EQ(s.face, "Verdana");
    EXPECT_EQ(s.size, 13);
    sheet.Apply("h6", s, context);
    EXPECT_EQ(s.size, 8);
    EXPECT_EQ(s.color, MakeColor(0x62, 0x62, 0x62));
    HtmlStyle pre;
    sheet.Apply("pre", pre, context);
    EXPECT_EQ(pre.face, "Courier");
    EXPECT_EQ(pre.size, 12);
    EXPECT_TRUE(pre.solidBackground);
    HtmlStyle comment;
    sheet.Apply(".cpp-comment", comment, context);
    EXPECT_EQ(comment.color, MakeColor(0, 128, 0));
    EXPECT_TRUE(comment.italic);
}

}  // namespace
