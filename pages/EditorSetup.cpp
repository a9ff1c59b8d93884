#include "pages/EditorSetup.h"

#include "pages/FixedPitchFace.h"
#include "res/resource.h"
#include "widgets/CScintilla.h"
#include "widgets/DisplayDpi.h"

#include "SciLexer.h"

#include <algorithm>
#include <array>
#include <string>

namespace tarvel {
namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kCaretLine = 0x99FFFF;
constexpr COLORREF kLineNumberBack = 0xE1E1E1;
constexpr COLORREF kFoldMarkerBack = 0x808080;

constexpr int kEditorFontSize = 10;
constexpr int kTabWidth = 4;
constexpr int kCaretPeriod = 400;
constexpr int kEdgeColumn = 80;
constexpr int kLineNumberMargin = 0;
constexpr int kSymbolMargin = 1;
// Margin widths at the reference resolution; Scintilla scales its font with
// the display's resolution, so the margins are scaled alike.
constexpr int kLineNumberWidth = 22;
// Room beside the widest number: the set-up width holds two digits and this.
constexpr int kLineNumberPadding = 6;
constexpr int kFoldMarginWidth = 14;
constexpr int kSymbolMask = 0x01FFFFFF;
// Inset of the editor from the page's client area: below the page's top
// edge, off its right and bottom edges.
constexpr int kTopInset = 5;
constexpr int kRightBottomInset = 3;

struct FoldMarker {
    int marker;
    int symbol;
};
constexpr std::array<FoldMarker, 7> kFoldMarkers{{
    {SC_MARKNUM_FOLDEROPEN, SC_MARK_BOXMINUS},
    {SC_MARKNUM_FOLDER, SC_MARK_BOXPLUS},
    {SC_MARKNUM_FOLDERSUB, SC_MARK_VLINE},
    {SC_MARKNUM_FOLDERTAIL, SC_MARK_LCORNER},
    {SC_MARKNUM_FOLDEREND, SC_MARK_BOXPLUSCONNECTED},
    {SC_MARKNUM_FOLDEROPENMID, SC_MARK_BOXMINUSCONNECTED},
    {SC_MARKNUM_FOLDERMIDTAIL, SC_MARK_TCORNER},
}};

// The code pages that Scintilla accepts besides 0 and UTF-8.
constexpr std::array<int, 6> kMultiByteCodePages{932, 936, 949, 950, 1361, SC_CP_UTF8};

}  // namespace

// Scintilla reads typed and pasted text into a single-byte document through
// the code page of its default style's character set, which is Western
// unless it is told otherwise; on an Eastern European, Cyrillic or Greek
// system the letters would become question marks.
int EditorCharacterSet() { return EditorCodePage() == 0 ? SystemCharacterSet() : SC_CHARSET_DEFAULT; }

int SystemCharacterSet() {
    CHARSETINFO info{};
    const auto ansi = static_cast<UINT_PTR>(::GetACP());
    if (::TranslateCharsetInfo(reinterpret_cast<DWORD*>(ansi), &info, TCI_SRCCODEPAGE)) {
        return static_cast<int>(info.ciCharset);
    }
    return DEFAULT_CHARSET;
}

int EditorCodePage() {
    const int ansi = static_cast<int>(::GetACP());
    for (int codePage : kMultiByteCodePages) {
        if (codePage == ansi) {
            return ansi;
        }
    }
    return 0;
}

bool CreateEditorWindow(CScintilla& editor, HWND page, EditorForm form) {
    RECT rect{};
    ::GetClientRect(page, &rect);
    rect.top += kTopInset;
    rect.right -= kRightBottomInset;
    rect.bottom -= kRightBottomInset;
    const bool editable = form == EditorForm::Editable;
    const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | (editable ? WS_TABSTOP : 0);
    if (!editor.Create(WS_EX_WINDOWEDGE, style, rect, page, IDC_CODE_EDITOR)) {
        return false;
    }
    editor.StyleSetFore(STYLE_DEFAULT, kBlack);
    editor.StyleSetBack(STYLE_DEFAULT, kWhite);
    if (!editable) {
        editor.StyleSetChangeable(STYLE_DEFAULT, false);
    }
    editor.StyleSetEOLFilled(STYLE_DEFAULT, true);
    editor.StyleSetFont(STYLE_DEFAULT, FixedPitchFace().c_str());
    editor.StyleSetSize(STYLE_DEFAULT, kEditorFontSize);
    if (editable) {
        editor.SetLexer(SCLEX_CPP);
    }
    editor.EnableDirectCalls();
    editor.UsePopUp(SC_POPUP_NEVER);
    // Both views hold the module's ANSI texts byte for byte, never as UTF-8.
    editor.SetCodePage(EditorCodePage());
    editor.StyleSetCharacterSet(STYLE_DEFAULT, EditorCharacterSet());
    ::ShowWindow(editor, SW_SHOW);
    return true;
}

// The set-up width up to line 99; wider where the last line's number needs it.
void FitLineNumberMargin(CScintilla& editor) {
    const int dpi = DisplayDpi(editor);
    const std::string lastNumber = std::to_string(editor.GetLineCount());
    const int needed = editor.TextWidth(STYLE_LINENUMBER, lastNumber.c_str()) +
                       ::MulDiv(kLineNumberPadding, dpi, kReferenceDpi);
    const int width = std::max(::MulDiv(kLineNumberWidth, dpi, kReferenceDpi), needed);
    if (editor.GetMarginWidthN(kLineNumberMargin) != width) {
        editor.SetMarginWidthN(kLineNumberMargin, width);
    }
}

void ApplyEditorDefaults(CScintilla& editor) {
    const int dpi = DisplayDpi(editor);
    editor.SetTabWidth(kTabWidth);
    editor.SetIndent(kTabWidth);
    editor.SetUseTabs(true);
    editor.SetCaretPeriod(kCaretPeriod);
    editor.SetCaretWidth(1);
    editor.SetViewWS(SCWS_INVISIBLE);
    editor.SetViewEOL(false);
    editor.SetBufferedDraw(true);
    editor.SetCaretLineBack(kCaretLine);
    editor.SetCaretLineVisible(true);
    ::InvalidateRect(editor, nullptr, TRUE);
    editor.SetEdgeColor(kRed);
    editor.SetEdgeMode(EDGE_LINE);
    editor.SetEdgeColumn(kEdgeColumn);
    editor.SetIndentationGuides(SC_IV_REAL);
    editor.SetMarginTypeN(kLineNumberMargin, SC_MARGIN_NUMBER);
    editor.SetMarginWidthN(kLineNumberMargin, ::MulDiv(kLineNumberWidth, dpi, kReferenceDpi));
    editor.StyleSetFore(STYLE_LINENUMBER, kBlack);
    editor.StyleSetBack(STYLE_LINENUMBER, kLineNumberBack);
    editor.SetMarginTypeN(kSymbolMargin, SC_MARGIN_SYMBOL);
    editor.SetMarginWidthN(kSymbolMargin, 0);
    editor.SetMarginMaskN(kSymbolMargin, kSymbolMask);
    editor.SetMarginTypeN(CScintilla::kFoldMargin, SC_MARGIN_SYMBOL);
    editor.SetMarginWidthN(CScintilla::kFoldMargin, ::MulDiv(kFoldMarginWidth, dpi, kReferenceDpi));
    editor.SetMarginMaskN(CScintilla::kFoldMargin, static_cast<int>(SC_MASK_FOLDERS));
    editor.SetMarginSensitiveN(CScintilla::kFoldMargin, true);
    ApplyFoldSettings(editor);
}

void ApplyFoldProperties(CScintilla& editor) {
    editor.SetProperty("fold", "1");
    editor.SetProperty("fold.compact", "1");
}

void ApplyFoldSettings(CScintilla& editor) {
    ApplyFoldProperties(editor);
    editor.SetFoldFlags(SC_FOLDFLAG_LINEAFTER_CONTRACTED);
    for (const FoldMarker& fold : kFoldMarkers) {
        editor.MarkerDefine(fold.marker, fold.symbol);
        editor.MarkerSetFore(fold.marker, kWhite);
        editor.MarkerSetBack(fold.marker, kFoldMarkerBack);
    }
}

}  // namespace tarvel
