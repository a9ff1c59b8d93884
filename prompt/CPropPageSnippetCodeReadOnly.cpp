#include "prompt/CPropPageSnippetCodeReadOnly.h"

#include "pages/EditorSetup.h"
#include "res/resource.h"

namespace tarvel {

namespace {

// The marks of the preview: a filled value on a pale green box, a prompt
// still empty in a dotted one.
constexpr int kFilledIndicator = INDICATOR_CONTAINER;
constexpr int kEmptyIndicator = INDICATOR_CONTAINER + 1;
constexpr COLORREF kFilledColor = 0x40A040;
constexpr COLORREF kEmptyColor = 0x808080;
constexpr int kFilledAlpha = 60;
constexpr int kEmptyAlpha = 200;

// ANSI text to UTF-8, through UTF-16; NUL bytes pass as they are.
std::string Utf8Of(std::string_view ansi) {
    if (ansi.empty()) {
        return {};
    }
    const int length = static_cast<int>(ansi.size());
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, &wide[0], wideLength);
    const int utf8Length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(utf8Length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], utf8Length, nullptr, nullptr);
    return utf8;
}

}  // namespace

CPropPageSnippetCodeReadOnly::CPropPageSnippetCodeReadOnly(HINSTANCE module)
    : CResizablePage(module, IDD_CODE_PAGE, IDI_CODE_PAGE) {}

std::string CPropPageSnippetCodeReadOnly::ViewText(std::string_view ansi) { return Utf8Of(ansi); }

BOOL CPropPageSnippetCodeReadOnly::OnInitDialog() {
    CResizablePage::OnInitDialog();
    if (CreateEditorWindow(editor_, GetHwnd(), EditorForm::ReadOnly)) {
        ApplyEditorDefaults(editor_);
        editor_.SetCodePage(SC_CP_UTF8);
        // Nothing here is undone: a preview replaces the whole text on every keystroke.
        editor_.Send(SCI_SETUNDOCOLLECTION, FALSE);
        editor_.Send(SCI_INDICSETSTYLE, kFilledIndicator, INDIC_STRAIGHTBOX);
        editor_.Send(SCI_INDICSETFORE, kFilledIndicator, kFilledColor);
        editor_.Send(SCI_INDICSETALPHA, kFilledIndicator, kFilledAlpha);
        editor_.Send(SCI_INDICSETSTYLE, kEmptyIndicator, INDIC_DOTBOX);
        editor_.Send(SCI_INDICSETFORE, kEmptyIndicator, kEmptyColor);
        editor_.Send(SCI_INDICSETALPHA, kEmptyIndicator, kEmptyAlpha);
    }
    AddAnchor(IDC_CODE_PLACEHOLDER, TOP_LEFT, BOTTOM_RIGHT);
    AddAnchor(IDC_CODE_EDITOR, TOP_LEFT, BOTTOM_RIGHT);
    return TRUE;
}

void CPropPageSnippetCodeReadOnly::ShowPreview(const PreviewText& preview) {
    const LRESULT firstLine = editor_.Send(SCI_GETFIRSTVISIBLELINE);
    const LRESULT scrolled = editor_.Send(SCI_GETXOFFSET);
    ReplaceText(preview.text);
    MarkPrompts(preview.marks);
    editor_.Send(SCI_SETFIRSTVISIBLELINE, static_cast<WPARAM>(firstLine));
    editor_.Send(SCI_SETXOFFSET, static_cast<WPARAM>(scrolled));
}

// Drawing waits until the text is in: a shown view would redraw, and under
// Wine settle its scroll bars, once per step.
void CPropPageSnippetCodeReadOnly::ReplaceText(const std::string& viewText) {
    const bool shown = ::IsWindowVisible(editor_) != FALSE;
    if (shown) {
        editor_.CWindow::Send(WM_SETREDRAW, FALSE);
    }
    editor_.SetReadOnly(false);
    editor_.ClearAll();
    editor_.AddText(viewText.size(), viewText.data());
    editor_.SetReadOnly(true);
    // The caret to the start without scrolling there.
    editor_.Send(SCI_SETEMPTYSELECTION, 0);
    FitLineNumberMargin(editor_);
    if (shown) {
        editor_.CWindow::Send(WM_SETREDRAW, TRUE);
        ::RedrawWindow(editor_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
    }
}

void CPropPageSnippetCodeReadOnly::MarkPrompts(const std::vector<PreviewMark>& marks) {
    for (const bool filled : {true, false}) {
        editor_.Send(SCI_SETINDICATORCURRENT, filled ? kFilledIndicator : kEmptyIndicator);
        for (const PreviewMark& mark : marks) {
            if (mark.filled == filled) {
                editor_.Send(SCI_INDICATORFILLRANGE, mark.start, static_cast<LPARAM>(mark.length));
            }
        }
    }
}

}  // namespace tarvel
