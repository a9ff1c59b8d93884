#include <gtest/gtest.h>

#include "tests/tooltip/GdiTestCanvas.h"
#include "tooltip/CGdiHtmlPlatform.h"
#include "tooltip/HtmlDefaultStyleSheet.h"
#include "tooltip/HtmlMarkupText.h"

using namespace tarvel;

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST(TooltipStyleResources, SheetOneHundredNineIsTheBuiltInSheet) {
    EXPECT_EQ(LoadResourceString(::GetModuleHandleA(nullptr), 109), kHtmlDefaultStyleSheet);
}

TEST(TooltipStyleResources, SheetOneHundredTenUsesLucidaConsoleWhereTheOtherHasVerdana) {
    EXPECT_EQ(LoadResourceString(::GetModuleHandleA(nullptr), 110),
              Replaced(kHtmlDefaultStyleSheet, "Verdana", "Lucida Console"));
}

TEST(TooltipStyleResources, SettingASheetByResourceIdStylesTheBody) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    drawer.SetCssStyles(110);
    canvas.Draw(drawer, "a<<b<h3>c</h3>");
    const auto& styles = drawer.DisplayList().styles;
    ASSERT_EQ(styles.size(), 2u);
    EXPECT_EQ(styles[0].face, "Lucida Console");
    EXPECT_EQ(styles[1].face, "Arial");
    drawer.SetCssStyles(".x {color:red}");
    canvas.Draw(drawer, "a");
    EXPECT_EQ(drawer.DisplayList().styles.at(0).face, "Arial");
}

TEST(TooltipStyleResources, StringTagDrawsAResourceOfTheModule) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    canvas.Draw(drawer, "<string idres=300>");
    const auto* run = std::get_if<HtmlTextRun>(&drawer.DisplayList().items.at(0));
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->text, "From a string resource");
}

TEST(TooltipStyleResources, EntitiesComeOutInTheAnsiCodePage) {
    GdiTestCanvas canvas;
    CHtmlFontCache fonts;
    CHtmlImageCache images(nullptr);
    CGdiHtmlPlatform platform(canvas.Dc(), fonts, images, nullptr);
    const std::string prepared = PrepareHtmlMarkup("&euro;&trade;&copy;", true, platform);
    wchar_t back[4] = {};
    ::MultiByteToWideChar(CP_ACP, 0, prepared.data(), static_cast<int>(prepared.size()), back, 4);
    EXPECT_EQ(back[0], 0x20AC);
    EXPECT_EQ(back[1], 0x2122);
    EXPECT_EQ(back[2], 0x00A9);
    if (::GetACP() == 1252) {
        EXPECT_EQ(prepared, "\x80\x99\xA9");
    }
}

TEST(TooltipStyleResources, EntityCharactersInWesternCyrillicAndUtf8CodePages) {
    EXPECT_EQ(EncodeInCodePage(1252, 0x20AC), "\x80");
    EXPECT_EQ(EncodeInCodePage(1251, 0x20AC), "\x88");
    EXPECT_EQ(EncodeInCodePage(1251, 0x00A3), std::nullopt);
    EXPECT_EQ(EncodeInCodePage(CP_UTF8, 0x20AC), "\xE2\x82\xAC");
    EXPECT_EQ(EncodeInCodePage(CP_UTF8, 0x00A9), "\xC2\xA9");
}

}  // namespace
