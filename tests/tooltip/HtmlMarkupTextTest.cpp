#include <gtest/gtest.h>

#include "tests/tooltip/FakeHtmlPlatform.h"
#include "tooltip/HtmlMarkup.h"
#include "tooltip/HtmlMarkupText.h"

using namespace tarvel;

namespace {

std::string Prepare(std::string_view text, bool breaksAsTags = true) {
    FakeHtmlPlatform platform;
    return PrepareHtmlMarkup(text, breaksAsTags, platform);
}

TEST(HtmlMarkupText, AsciiEntitiesBecomeTheirCharacters) {
    EXPECT_EQ(Prepare("a&amp;b&nbsp;c&quot;d&gt;e"), "a&b c\"d>e");
    EXPECT_EQ(Prepare("&lt;b&gt;"), "<<b>");
}

TEST(HtmlMarkupText, EntitiesAreReplacedInOnePass) { EXPECT_EQ(Prepare("&amp;lt;"), "&lt;"); }

TEST(HtmlMarkupText, UnknownOrUnterminatedEntitiesStay) { EXPECT_EQ(Prepare("&foo; &amp &"), "&foo; &amp &"); }

TEST(HtmlMarkupText, LineFeedsAndTabsBecomeTagsAndReturnsGo) {
    EXPECT_EQ(Prepare("a\r\nb\tc"), "a<br>b<t>c");
    EXPECT_EQ(Prepare("a\r\nb\tc", false), "abc");
}

TEST(HtmlMarkupText, WesternEntitiesUseTheSystemCodePage) {
    EXPECT_EQ(Prepare("&bull;&para;&copy;&pound;&reg;&iquest;&trade;"), "\x95\xB6\xA9\xA3\xAE\xBF\x99");
    EXPECT_EQ(Prepare("&euro;"), "\x80");
}

TEST(HtmlMarkupText, EuroIsTheCyrillicByteOnACyrillicSystem) {
    FakeHtmlPlatform platform;
    platform.encoding = CyrillicEncoding();
    EXPECT_EQ(PrepareHtmlMarkup("&euro;&pound;&iquest;", true, platform), "\x88\xA3\xBF");
}

TEST(HtmlMarkupText, ListedByteWhenTheCodePageLacksTheCharacter) {
    FakeHtmlPlatform platform;
    platform.encoding = {{0x41, "A"}};
    EXPECT_EQ(PrepareHtmlMarkup("&euro;&trade;", true, platform), "\x88\x99");
}

}  // namespace
