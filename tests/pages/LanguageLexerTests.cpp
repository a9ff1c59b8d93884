// The language set-up on a real code editor: lexer, keywords and colours.
#include "pages/EditorSetup.h"
#include "pages/LanguageLexer.h"
#include "widgets/CScintilla.h"
#include "handles/UniqueHandle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SciLexer.h"

using namespace tarvel;

namespace {

using tarvel::ApplyLanguageLexer;

enum Language { kCpp, kCSharp, kHtml, kJava, kJavaScript, kPerl, kText, kVisualBasic };

class LanguageLexer : public ::testing::Test {
protected:
    void SetUp() override {
        page.reset(::CreateWindowExA(0, "STATIC", "page", WS_POPUP | WS_VISIBLE, 0, 0, 500, 300, nullptr, nullptr,
                                     nullptr, nullptr));
        ASSERT_TRUE(tarvel::CreateEditorWindow(editor, page.get(), tarvel::EditorForm::Editable));
        tarvel::ApplyEditorDefaults(editor);
    }

    std::string Lexer() const {
        char name[32] = {};
        editor.Send(SCI_GETLEXERLANGUAGE, 0, reinterpret_cast<LPARAM>(name));
        return name;
    }
    COLORREF Fore(int style) const { return static_cast<COLORREF>(editor.Send(SCI_STYLEGETFORE, style)); }
    COLORREF Back(int style) const { return static_cast<COLORREF>(editor.Send(SCI_STYLEGETBACK, style)); }
    // The style the lexer gives the character at offset of text.
    int StyleOf(const std::string& text, int offset) const {
        editor.SetWholeText(text);
        editor.Colorize(0, -1);
        return static_cast<int>(editor.Send(SCI_GETSTYLEAT, offset));
    }

    tarvel::UniqueHwnd page;
    tarvel::CScintilla editor;
};

TEST_F(LanguageLexer, TheNewEditorHasTheCppLexerWithoutItsKeywords) {
    EXPECT_EQ(Lexer(), "cpp");
    EXPECT_EQ(StyleOf("int x;", 0), SCE_C_IDENTIFIER);
    EXPECT_TRUE(::GetWindowLongA(editor, GWL_STYLE) & WS_TABSTOP);
}

TEST_F(LanguageLexer, EachLanguageGetsItsLexerKeywordsAndColors) {
    struct Case {
        int language;
        const char* lexer;
        const char* text;  // a keyword at offset 0
        int keywordStyle;
        int style;  // one style's colours
        COLORREF fore;
        COLORREF back;
    };
    const std::vector<Case> cases{
        {kCpp, "cpp", "while (x) {}", SCE_C_WORD, SCE_C_COMMENTDOCKEYWORDERROR, 0x008000, 0xFFFFFF},
        {kCSharp, "cpp", "TRUE", SCE_C_WORD, SCE_C_NUMBER, 0x0000FF, 0xFFFFFF},
        {kJava, "cpp", "__int64", SCE_C_WORD, SCE_C_WORD2, 0xFF0000, 0xFFFFFF},
        {kJavaScript, "cpp", "typename", SCE_C_WORD, SCE_C_REGEX, 0x000000, 0xFFFFFF},
        {kHtml, "hypertext", "<blockquote>", SCE_H_TAG, SCE_H_SGML_BLOCK_DEFAULT, 0x660000, 0xE0CCCC},
        {kVisualBasic, "vb", "withevents x", SCE_B_KEYWORD, SCE_B_DATE, 0x0000FF, 0xFFFFFF},
        {kPerl, "perl", "foreach my $x (@list) {}", SCE_PL_WORD, SCE_PL_COMMENTLINE, 0x008000, 0xFFFFFF},
        {kText, "null", "while", 0, 0, 0x000000, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lexer + std::string(" for language ") + std::to_string(c.language));
        ApplyLanguageLexer(editor, c.language);
        EXPECT_EQ(Lexer(), c.lexer);
        EXPECT_EQ(StyleOf(c.text, c.language == kHtml ? 1 : 0), c.keywordStyle);
        EXPECT_EQ(Fore(c.style), c.fore);
        EXPECT_EQ(Back(c.style), c.back);
        EXPECT_EQ(editor.Send(SCI_GETCARETLINEBACK), 0x99FFFF) << "the editor defaults follow";
    }
}

TEST_F(LanguageLexer, CppSetUpColorsCommentsNumbersKeywordsAndStrings) {
    ApplyLanguageLexer(editor, kCpp);
    const std::string code = "int n = 42; // note\n#define X \"s\"";
    EXPECT_EQ(Fore(StyleOf(code, 0)), 0xFF0000u) << "keyword blue";
    EXPECT_EQ(Fore(StyleOf(code, 8)), 0x0000FFu) << "number red";
    EXPECT_EQ(Fore(StyleOf(code, 12)), 0x008000u) << "comment green";
    EXPECT_EQ(Fore(StyleOf(code, 20)), 0xFF0000u) << "preprocessor blue";
    EXPECT_EQ(Fore(StyleOf(code, 31)), 0x000000u) << "string black, styled within the preprocessor line";
    EXPECT_EQ(StyleOf(code, 31), SCE_C_STRING);
}

TEST_F(LanguageLexer, AnHtmlDocumentTypeIsNoError) {
    ApplyLanguageLexer(editor, kHtml);
    for (const char* text : {"<!DOCTYPE html>\n<html>", "<!doctype html>\n<html>"}) {
        EXPECT_EQ(StyleOf(text, 2), SCE_H_SGML_COMMAND) << text;
        EXPECT_EQ(StyleOf(text, 17), SCE_H_TAG) << text;
    }
}

TEST_F(LanguageLexer, HtmlSetUpKeepsTheBackgroundsItDoesNotList) {
    ApplyLanguageLexer(editor, kCpp);
    ApplyLanguageLexer(editor, kHtml);
    for (int style = 0; style <= 14; ++style) {
        EXPECT_EQ(Back(style), 0xFFFFFFu) << style;
    }
    EXPECT_EQ(Fore(SCE_H_TAG), 0x800000u);
    EXPECT_EQ(Back(SCE_HBA_STRINGEOL), 0xBF7F7Fu);
    EXPECT_EQ(Fore(SCE_HBA_STRINGEOL), 0x800000u);
    EXPECT_EQ(Back(SCE_HJA_REGEX), 0xB0BBFFu);
    EXPECT_EQ(Fore(STYLE_BRACELIGHT), 0xFF0000u);
}

TEST_F(LanguageLexer, CSharpAfterHtmlIsColoredAsCppAgain) {
    ApplyLanguageLexer(editor, kHtml);
    ApplyLanguageLexer(editor, kCSharp);
    EXPECT_EQ(Lexer(), "cpp");
    EXPECT_EQ(Fore(SCE_C_COMMENT), 0x008000u);
    EXPECT_EQ(Fore(SCE_C_WORD), 0xFF0000u);
    EXPECT_EQ(StyleOf("class A {};", 0), SCE_C_WORD);
}

TEST_F(LanguageLexer, PerlAndTextNoLongerKeepThePreviousColoring) {
    ApplyLanguageLexer(editor, kHtml);
    ApplyLanguageLexer(editor, kPerl);
    EXPECT_EQ(Lexer(), "perl");
    const std::string code = "print 12; # done";
    EXPECT_EQ(Fore(StyleOf(code, 0)), 0xFF0000u) << "keyword blue";
    EXPECT_EQ(Fore(StyleOf(code, 6)), 0x0000FFu) << "number red";
    EXPECT_EQ(Fore(StyleOf(code, 10)), 0x008000u) << "comment green";
    EXPECT_EQ(Back(StyleOf(code, 10)), 0xFFFFFFu);
    ApplyLanguageLexer(editor, kHtml);
    ApplyLanguageLexer(editor, kText);
    EXPECT_EQ(Lexer(), "null");
    EXPECT_EQ(StyleOf("<b>bold</b>", 1), 0) << "no HTML colours on text";
}

// Folding lives in the lexer, which each switch replaces.
TEST_F(LanguageLexer, EveryNewLexerFoldsAgain) {
    for (int language : {kCpp, kPerl, kCpp}) {
        ApplyLanguageLexer(editor, kHtml);
        ApplyLanguageLexer(editor, language);
        StyleOf("sub f {\n}\n", 0);
        EXPECT_TRUE(editor.Send(SCI_GETFOLDLEVEL, 0) & SC_FOLDLEVELHEADERFLAG) << language;
    }
}

TEST_F(LanguageLexer, AnIndexOutsideTheLanguagesChangesNothing) {
    ApplyLanguageLexer(editor, kVisualBasic);
    editor.SetTabWidth(8);
    for (int language : {-1, 8, 100}) {
        ApplyLanguageLexer(editor, language);
    }
    EXPECT_EQ(Lexer(), "vb");
    EXPECT_EQ(editor.Send(SCI_GETTABWIDTH), 8) << "not even the defaults";
}

}  // namespace
