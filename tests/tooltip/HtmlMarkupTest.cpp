#include <gtest/gtest.h>

#include "tooltip/HtmlMarkup.h"

using namespace tarvel;

namespace {

using Type = HtmlToken::Type;

TEST(HtmlMarkup, SplitsTextAndTags) {
    const HtmlMarkup m = ParseHtmlMarkup("a<B>b</b>c");
    ASSERT_EQ(m.tokens.size(), 5u);
    EXPECT_EQ(m.tokens[0].text, "a");
    EXPECT_EQ(m.tokens[1].type, Type::Open);
    EXPECT_EQ(m.tokens[1].name, "b");
    EXPECT_EQ(m.tokens[1].kind, HtmlTagKind::Bold);
    EXPECT_EQ(m.tokens[3].type, Type::Close);
    EXPECT_EQ(m.tokens[4].text, "c");
}

TEST(HtmlMarkup, DoubleLessThanIsOneLiteralLessThan) {
    const HtmlMarkup m = ParseHtmlMarkup("<<b>x");
    ASSERT_EQ(m.tokens.size(), 1u);
    EXPECT_EQ(m.tokens[0].text, "<b>x");
}

TEST(HtmlMarkup, UnclosedTagStaysText) {
    const HtmlMarkup m = ParseHtmlMarkup("a <b");
    ASSERT_EQ(m.tokens.size(), 1u);
    EXPECT_EQ(m.tokens[0].text, "a <b");
}

TEST(HtmlMarkup, AttributesWithQuotedAndBareValues) {
    const HtmlMarkup m = ParseHtmlMarkup(R"(<font face="Lucida Console" size=3 color='#ff0000' bare>)");
    const HtmlToken& t = m.tokens.at(0);
    ASSERT_EQ(t.attributes.size(), 4u);
    EXPECT_EQ(*t.Attribute("face"), "Lucida Console");
    EXPECT_EQ(*t.Attribute("size"), "3");
    EXPECT_EQ(*t.Attribute("color"), "#ff0000");
    EXPECT_EQ(*t.Attribute("bare"), "");
    EXPECT_EQ(t.Attribute("missing"), nullptr);
}

TEST(HtmlMarkup, BareValueEndingInASlashKeepsIt) {
    const HtmlMarkup m = ParseHtmlMarkup("<a href=http://example.invalid/support/>x</a><br/><br />");
    EXPECT_EQ(m.links.at(0).target, "http://example.invalid/support/");
    ASSERT_EQ(m.tokens.size(), 5u);
    EXPECT_EQ(m.tokens[3].kind, HtmlTagKind::LineBreak);
    EXPECT_EQ(m.tokens[4].kind, HtmlTagKind::LineBreak);
    EXPECT_TRUE(m.tokens[4].attributes.empty());
}

TEST(HtmlMarkup, TagEndsAtTheFirstGreaterThan) {
    const HtmlMarkup m = ParseHtmlMarkup(R"(<a msg="x>y">z)");
    EXPECT_EQ(m.tokens.at(0).Attribute("msg")->substr(0, 1), "x");
    EXPECT_EQ(m.tokens.back().text, "y\">z");
}

TEST(HtmlMarkup, LinksAreNumberedInTextOrderAndTheLastKindWins) {
    const HtmlMarkup m = ParseHtmlMarkup("<a href=u1>1</a><a msg=m href=u2>2</a><a href=h msg=m3>3</a><a>4</a>");
    ASSERT_EQ(m.links.size(), 4u);
    EXPECT_EQ(m.links[0].kind, HtmlLink::Kind::Href);
    EXPECT_EQ(m.links[0].target, "u1");
    EXPECT_EQ(m.links[1].kind, HtmlLink::Kind::Href);
    EXPECT_EQ(m.links[1].target, "u2");
    EXPECT_EQ(m.links[2].kind, HtmlLink::Kind::Message);
    EXPECT_EQ(m.links[2].target, "m3");
    EXPECT_EQ(m.links[3].kind, HtmlLink::Kind::Message);
    EXPECT_EQ(m.links[3].target, "");
    EXPECT_EQ(m.tokens[3].link, 1);
}

TEST(HtmlMarkup, TablesKnowTheirClosingTag) {
    const HtmlMarkup m = ParseHtmlMarkup("<table><tr><td><table></table></td></tr></table><table>");
    EXPECT_EQ(m.tokens[0].match, 7u);
    EXPECT_EQ(m.tokens[3].match, 4u);
    EXPECT_EQ(m.tokens[8].match, m.tokens.size());
}

TEST(HtmlMarkup, ValueWrittenAfterTheTagName) {
    const HtmlMarkup m = ParseHtmlMarkup("<br=3><t 2>");
    EXPECT_EQ(m.tokens[0].text, "3");
    EXPECT_EQ(m.tokens[1].attributes.at(0).name, "2");
}

}  // namespace
