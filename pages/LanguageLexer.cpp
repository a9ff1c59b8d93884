#include "pages/LanguageLexer.h"

#include "pages/EditorSetup.h"
#include "pages/LanguageKeywords.h"
#include "widgets/CScintilla.h"

#include "SciLexer.h"

#include <array>
#include <initializer_list>
#include <string>

namespace tarvel {
namespace {

// Language indices of TemplateLanguage.
enum Language { kCpp, kCSharp, kHtml, kJava, kJavaScript, kPerl, kText, kVisualBasic };

constexpr int kKeep = -1;
// The null lexer leaves every character in style 0.
constexpr int kPlainTextStyle = 0;
// The hypertext lexer's keyword lists: tag and attribute names together,
// the words of scripts, and the words allowed after "<!".
constexpr int kHtmlNameKeywords = 0;
constexpr int kHtmlScriptKeywords = 1;
constexpr int kHtmlDeclarationKeywords = 5;
constexpr int kHtmlTagColor = 0x800000;
constexpr int kHtmlAttributeColor = 0x808000;
constexpr int kBlack = 0x000000;
constexpr int kWhite = 0xFFFFFF;
constexpr int kGreen = 0x008000;
constexpr int kRed = 0x0000FF;
constexpr int kBlue = 0xFF0000;

struct StyleColors {
    int style;
    int fore;  // kKeep leaves it as it is
    int back;
};

// Every colour set makes the editor rebuild its styles and redraw: only a
// colour that differs from the one the editor holds is sent.
void SetFore(CScintilla& editor, int style, int color) {
    if (editor.StyleGetFore(style) != static_cast<COLORREF>(color)) {
        editor.StyleSetFore(style, static_cast<COLORREF>(color));
    }
}

void SetBack(CScintilla& editor, int style, int color) {
    if (editor.StyleGetBack(style) != static_cast<COLORREF>(color)) {
        editor.StyleSetBack(style, static_cast<COLORREF>(color));
    }
}

void SetStyleColors(CScintilla& editor, std::initializer_list<StyleColors> styles) {
    for (const StyleColors& colors : styles) {
        if (colors.fore != kKeep) {
            SetFore(editor, colors.style, colors.fore);
        }
        if (colors.back != kKeep) {
            SetBack(editor, colors.style, colors.back);
        }
    }
}

void SetForeground(CScintilla& editor, int color, std::initializer_list<int> styles) {
    for (int style : styles) {
        SetFore(editor, style, color);
    }
}

void SetBackground(CScintilla& editor, int color, int first, int last) {
    for (int style = first; style <= last; ++style) {
        SetBack(editor, style, color);
    }
}

void ApplyCppSetup(CScintilla& editor) {
    SetBackground(editor, kWhite, SCE_C_DEFAULT, SCE_C_COMMENTDOCKEYWORDERROR);
    SetForeground(editor, kGreen,
                  {SCE_C_COMMENT, SCE_C_COMMENTLINE, SCE_C_COMMENTDOC, SCE_C_COMMENTLINEDOC,
                   SCE_C_COMMENTDOCKEYWORD, SCE_C_COMMENTDOCKEYWORDERROR});
    SetForeground(editor, kRed, {SCE_C_NUMBER});
    SetForeground(editor, kBlue, {SCE_C_WORD, SCE_C_PREPROCESSOR, SCE_C_WORD2});
    SetForeground(editor, kBlack,
                  {SCE_C_DEFAULT, SCE_C_STRING, SCE_C_CHARACTER, SCE_C_UUID, SCE_C_OPERATOR, SCE_C_IDENTIFIER,
                   SCE_C_STRINGEOL, SCE_C_VERBATIM, SCE_C_REGEX});
    editor.SetLexer(SCLEX_CPP);
    // Lexilla keeps properties in the lexer object, which the line above
    // replaced: set before it, the property would be lost.
    editor.SetProperty("styling.within.preprocessor", "1");
    editor.SetKeyWords(0, LanguageKeywords::kCppKeywords);
}

void ApplyHtmlStyles(CScintilla& editor) {
    SetStyleColors(editor, {
        {SCE_H_DEFAULT, 0x000000, kKeep}, {SCE_H_DOUBLESTRING, 0x000000, kKeep},
        {SCE_H_SINGLESTRING, 0x000000, kKeep}, {SCE_H_TAG, kHtmlTagColor, kKeep},
        {SCE_H_TAGEND, kHtmlTagColor, kKeep}, {SCE_H_SCRIPT, kHtmlTagColor, kKeep},
        {SCE_H_ATTRIBUTE, kHtmlAttributeColor, kKeep}, {SCE_H_NUMBER, 0x0000FF, kKeep},
        {SCE_H_OTHER, 0x800080, kKeep}, {SCE_H_ENTITY, 0x800080, kKeep}, {SCE_H_COMMENT, 0x008080, kKeep},
        {SCE_H_XMLSTART, 0xFF0000, kKeep}, {SCE_H_XMLEND, 0xFF0000, kKeep}, {SCE_H_ASP, kKeep, 0x00FFFF},
        {SCE_H_ASPAT, kKeep, 0x00DFFF}, {SCE_H_CDATA, kKeep, 0x00DFFF}, {SCE_H_QUESTION, 0xFF0000, 0xBFEFFF},
        {SCE_H_VALUE, 0xFF00FF, 0xFFEFFF}, {SCE_H_XCCOMMENT, 0x000000, 0xD0FFFF},
        {SCE_H_SGML_DEFAULT, 0x800000, 0xFFEFEF}, {SCE_H_SGML_COMMAND, 0x800000, 0xFFEFEF},
        {SCE_H_SGML_1ST_PARAM, 0x006600, 0xFFEFEF}, {SCE_H_SGML_DOUBLESTRING, 0x000080, 0xFFEFEF},
        {SCE_H_SGML_SIMPLESTRING, 0x003399, 0xFFEFEF}, {SCE_H_SGML_ERROR, 0x000080, 0x6666FF},
        {SCE_H_SGML_SPECIAL, 0xFF6633, 0xFFEFEF}, {SCE_H_SGML_ENTITY, 0x333333, 0xFFEFEF},
        {SCE_H_SGML_COMMENT, 0x008080, 0xFFEFEF}, {SCE_H_SGML_BLOCK_DEFAULT, 0x660000, 0xE0CCCC},
        {STYLE_BRACELIGHT, 0xFF0000, kKeep}, {STYLE_BRACEBAD, 0x0000FF, kKeep},
    });
}

void ApplyHtmlScriptStyles(CScintilla& editor) {
    SetStyleColors(editor, {
        {SCE_HJ_START, 0x007F7F, 0xFFF0F0}, {SCE_HJ_DEFAULT, 0x000000, 0xFFF0F0}, {SCE_HJ_WORD, 0x000000, 0xFFF0F0},
        {SCE_HJ_SYMBOLS, 0x000000, 0xFFF0F0}, {SCE_HJ_COMMENT, 0x007F00, 0xFFF0F0},
        {SCE_HJ_COMMENTLINE, 0x007F00, 0xFFF0F0}, {SCE_HJ_COMMENTDOC, 0x3F703F, 0xFFF0F0},
        {SCE_HJ_NUMBER, 0x7F7F00, 0xFFF0F0}, {SCE_HJ_KEYWORD, 0x7F0000, 0xFFF0F0},
        {SCE_HJ_DOUBLESTRING, 0x7F007F, 0xFFF0F0}, {SCE_HJ_SINGLESTRING, 0x7F007F, 0xFFF0F0},
        {SCE_HJ_STRINGEOL, kKeep, 0xB0BBBF}, {SCE_HJ_REGEX, kKeep, 0xB0BBFF},
        {SCE_HJA_START, 0x007F7F, kKeep}, {SCE_HJA_DEFAULT, 0x000000, 0x7FDFDF}, {SCE_HJA_WORD, 0x000000, 0x7FDFDF},
        {SCE_HJA_SYMBOLS, 0x000000, 0x7FDFDF}, {SCE_HJA_COMMENT, 0x007F00, 0x7FDFDF},
        {SCE_HJA_COMMENTLINE, 0x007F00, 0x7FDFDF}, {SCE_HJA_COMMENTDOC, 0x7F7F7F, 0x7FDFDF},
        {SCE_HJA_NUMBER, 0x7F7F00, 0x7FDFDF}, {SCE_HJA_KEYWORD, 0x7F0000, 0x7FDFDF},
        {SCE_HJA_DOUBLESTRING, 0x7F007F, 0x7FDFDF}, {SCE_HJA_SINGLESTRING, 0x7F007F, 0x7FDFDF},
        {SCE_HJA_STRINGEOL, kKeep, 0xB0BBBF}, {SCE_HJA_REGEX, kKeep, 0xB0BBFF},
        {SCE_HB_DEFAULT, 0x000000, 0xFFEFEF}, {SCE_HB_COMMENTLINE, 0x008000, 0xFFEFEF},
        {SCE_HB_NUMBER, 0x808000, 0xFFEFEF}, {SCE_HB_WORD, 0x800000, 0xFFEFEF}, {SCE_HB_STRING, 0x800080, 0xFFEFEF},
        {SCE_HB_IDENTIFIER, 0x800000, 0xFFEFEF}, {SCE_HB_STRINGEOL, 0x800000, 0xFF7F7F},
        {SCE_HBA_DEFAULT, 0x000000, 0xEFCFCF}, {SCE_HBA_COMMENTLINE, 0x008000, 0xEFCFCF},
        {SCE_HBA_NUMBER, 0x808000, 0xEFCFCF}, {SCE_HBA_WORD, 0x800000, 0xEFCFCF},
        {SCE_HBA_STRING, 0x800080, 0xEFCFCF}, {SCE_HBA_IDENTIFIER, 0x800000, 0xEFCFCF},
        {SCE_HBA_STRINGEOL, 0x800000, 0xBF7F7F},
    });
}

// Names the lists do not know (those of later HTML) look like known ones,
// not like whatever the language shown before left in their styles.
void ApplyHtmlUnknownNameStyles(CScintilla& editor) {
    SetStyleColors(editor, {{SCE_H_TAGUNKNOWN, kHtmlTagColor, kKeep},
                             {SCE_H_ATTRIBUTEUNKNOWN, kHtmlAttributeColor, kKeep}});
}

// The lexer reads tag and attribute names from one list and the script
// words from the next.
void ApplyHtmlSetup(CScintilla& editor) {
    ApplyHtmlStyles(editor);
    ApplyHtmlUnknownNameStyles(editor);
    ApplyHtmlScriptStyles(editor);
    editor.SetLexer(SCLEX_HTML);
    const std::string names =
        std::string(LanguageKeywords::kHtmlTagNames) + ' ' + LanguageKeywords::kHtmlAttributeNames;
    editor.SetKeyWords(kHtmlNameKeywords, names.c_str());
    editor.SetKeyWords(kHtmlScriptKeywords, LanguageKeywords::kJavaScriptKeywords);
    editor.SetKeyWords(kHtmlDeclarationKeywords, LanguageKeywords::kHtmlDeclarationNames);
}

void ApplyVisualBasicSetup(CScintilla& editor) {
    SetForeground(editor, kGreen, {SCE_B_COMMENT});
    SetForeground(editor, kRed, {SCE_B_NUMBER, SCE_B_DATE});
    SetForeground(editor, kBlue, {SCE_B_KEYWORD, SCE_B_PREPROCESSOR});
    SetForeground(editor, kBlack, {SCE_B_STRING, SCE_B_OPERATOR, SCE_B_IDENTIFIER});
    editor.SetLexer(SCLEX_VB);
    editor.SetKeyWords(0, LanguageKeywords::kVisualBasicKeywords);
    editor.SetKeyWords(1, LanguageKeywords::kVisualBasicNetKeywords);
}

// Perl in the scheme of the C++ set-up: black on white, comments and POD
// green, numbers red, keywords blue.
void ApplyPerlSetup(CScintilla& editor) {
    SetBackground(editor, kWhite, SCE_PL_DEFAULT, SCE_PL_POD_VERB);
    SetBackground(editor, kWhite, SCE_PL_SUB_PROTOTYPE, SCE_PL_STRING_QR_VAR);
    for (int style = SCE_PL_DEFAULT; style <= SCE_PL_STRING_QR_VAR; ++style) {
        if (style < STYLE_DEFAULT || style > STYLE_LASTPREDEFINED) {
            SetFore(editor, style, kBlack);
        }
    }
    SetForeground(editor, kGreen, {SCE_PL_COMMENTLINE, SCE_PL_POD, SCE_PL_POD_VERB});
    SetForeground(editor, kRed, {SCE_PL_NUMBER});
    SetForeground(editor, kBlue, {SCE_PL_WORD, SCE_PL_PREPROCESSOR});
    editor.SetLexer(SCLEX_PERL);
    editor.SetKeyWords(0, LanguageKeywords::kPerlKeywords);
}

// Plain text: no lexing, so all of it in style 0, black on white.
void ApplyTextSetup(CScintilla& editor) {
    SetStyleColors(editor, {{kPlainTextStyle, kBlack, kWhite}});
    editor.SetLexer(SCLEX_NULL);
}

}  // namespace

void ApplyLanguageLexer(CScintilla& editor, int language) {
    switch (language) {
        case kCpp:
        case kCSharp:
        case kJava:
        case kJavaScript:
            ApplyCppSetup(editor);
            break;
        case kHtml:
            ApplyHtmlSetup(editor);
            break;
        case kPerl:
            ApplyPerlSetup(editor);
            break;
        case kText:
            ApplyTextSetup(editor);
            break;
        case kVisualBasic:
            ApplyVisualBasicSetup(editor);
            break;
        default:
            return;
    }
    // Folding is a property of the lexer just replaced.
    ApplyFoldProperties(editor);
}

}  // namespace tarvel
