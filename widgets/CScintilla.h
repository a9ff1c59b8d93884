#pragma once

#include "widgets/CWindow.h"

#include <windows.h>

#include <string>

#include "Scintilla.h"

namespace tarvel {

// One Scintilla editor window. Constructing it holds the library
// (ScintillaLibrary), destroying it lets go. Once EnableDirectCalls has run,
// every message goes through Scintilla's direct-call function instead of the
// window-message path. Each message the module uses has an operation of the
// same name; the folding clicks of the fold margin are handled by
// HandleEditorNotification.
class CScintilla : public CWindow {
public:
    static constexpr const char* kClassName = "Scintilla";
    static constexpr int kFoldMargin = 2;

    CScintilla() noexcept;
    ~CScintilla() override;

    // False without the library or the window.
    bool Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent, UINT id) noexcept;
    void EnableDirectCalls() noexcept;
    bool HasDirectCalls() const noexcept { return directFunction_ != nullptr; }

    // Zero while there is no window.
    virtual LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept;

    // Folding reactions to the notifications the parent receives.
    void HandleEditorNotification(const SCNotification& notification);
    void ExpandFoldRange(int& line, bool show, bool force, int depth, int level);
    void ToggleAllFolds();

    // The whole text, NUL bytes included.
    std::string GetWholeText() const;
    // Replaces the text by these bytes, NUL bytes included, and shows them
    // from their start, as SCI_SETTEXT would.
    void SetWholeText(const std::string& text) const;

    // Text
    void AddText(size_t length, const char* text) const { Send(SCI_ADDTEXT, length, Pointer(text)); }
    void ClearAll() const { Send(SCI_CLEARALL); }
    int GetLength() const { return static_cast<int>(Send(SCI_GETLENGTH)); }
    void SetText(const char* text) const { Send(SCI_SETTEXT, 0, Pointer(text)); }
    int GetText(int length, char* text) const { return static_cast<int>(Send(SCI_GETTEXT, length, Pointer(text))); }
    void SetReadOnly(bool readOnly) const { Send(SCI_SETREADONLY, readOnly); }
    void EmptyUndoBuffer() const { Send(SCI_EMPTYUNDOBUFFER); }
    void GotoPos(Sci_Position position) const { Send(SCI_GOTOPOS, static_cast<WPARAM>(position)); }
    // Only while SCN_MODIFIED reports SC_MOD_INSERTCHECK: what goes in instead.
    void ChangeInsertion(size_t length, const char* text) const { Send(SCI_CHANGEINSERTION, length, Pointer(text)); }
    // Styles
    void StyleSetFore(int style, COLORREF color) const { Send(SCI_STYLESETFORE, style, color); }
    void StyleSetBack(int style, COLORREF color) const { Send(SCI_STYLESETBACK, style, color); }
    COLORREF StyleGetFore(int style) const { return static_cast<COLORREF>(Send(SCI_STYLEGETFORE, style)); }
    COLORREF StyleGetBack(int style) const { return static_cast<COLORREF>(Send(SCI_STYLEGETBACK, style)); }
    void StyleSetSize(int style, int points) const { Send(SCI_STYLESETSIZE, style, points); }
    void StyleSetFont(int style, const char* face) const { Send(SCI_STYLESETFONT, style, Pointer(face)); }
    void StyleSetEOLFilled(int style, bool filled) const { Send(SCI_STYLESETEOLFILLED, style, filled); }
    void StyleSetCharacterSet(int style, int characterSet) const {
        Send(SCI_STYLESETCHARACTERSET, style, characterSet);
    }
    void StyleSetChangeable(int style, bool changeable) const { Send(SCI_STYLESETCHANGEABLE, style, changeable); }
    // Lexer. Scintilla 5 takes lexers as objects: the old lexer ids are
    // looked up by name in Lexilla, which the same library carries.
    void SetLexer(int lexerId) const;
    void Colorize(int start, int end) const { Send(SCI_COLOURISE, start, end); }
    void SetProperty(const char* key, const char* value) const { Send(SCI_SETPROPERTY, Pointer(key), Pointer(value)); }
    void SetKeyWords(int set, const char* words) const { Send(SCI_SETKEYWORDS, set, Pointer(words)); }
    // View
    void SetViewWS(int mode) const { Send(SCI_SETVIEWWS, mode); }
    void SetBufferedDraw(bool buffered) const { Send(SCI_SETBUFFEREDDRAW, buffered); }
    void SetTabWidth(int width) const { Send(SCI_SETTABWIDTH, width); }
    void SetCodePage(int codePage) const { Send(SCI_SETCODEPAGE, codePage); }
    void SetCaretPeriod(int milliseconds) const { Send(SCI_SETCARETPERIOD, milliseconds); }
    void SetCaretLineVisible(bool visible) const { Send(SCI_SETCARETLINEVISIBLE, visible); }
    void SetCaretLineBack(COLORREF color) const { Send(SCI_SETCARETLINEBACK, color); }
    void SetIndent(int width) const { Send(SCI_SETINDENT, width); }
    void SetUseTabs(bool useTabs) const { Send(SCI_SETUSETABS, useTabs); }
    void SetIndentationGuides(int mode) const { Send(SCI_SETINDENTATIONGUIDES, mode); }
    void SetCaretWidth(int pixels) const { Send(SCI_SETCARETWIDTH, pixels); }
    void SetViewEOL(bool visible) const { Send(SCI_SETVIEWEOL, visible); }
    void SetEdgeColumn(int column) const { Send(SCI_SETEDGECOLUMN, column); }
    void SetEdgeMode(int mode) const { Send(SCI_SETEDGEMODE, mode); }
    void SetEdgeColor(COLORREF color) const { Send(SCI_SETEDGECOLOUR, color); }
    void UsePopUp(int mode) const { Send(SCI_USEPOPUP, mode); }
    void SetFocus(bool focus) const { Send(SCI_SETFOCUS, focus); }
    void SetModEventMask(int mask) const { Send(SCI_SETMODEVENTMASK, mask); }
    // Margins and markers
    void SetMarginTypeN(int margin, int type) const { Send(SCI_SETMARGINTYPEN, margin, type); }
    void SetMarginWidthN(int margin, int pixels) const { Send(SCI_SETMARGINWIDTHN, margin, pixels); }
    int GetMarginWidthN(int margin) const { return static_cast<int>(Send(SCI_GETMARGINWIDTHN, margin)); }
    int TextWidth(int style, const char* text) const {
        return static_cast<int>(Send(SCI_TEXTWIDTH, style, Pointer(text)));
    }
    void SetMarginMaskN(int margin, int mask) const { Send(SCI_SETMARGINMASKN, margin, mask); }
    void SetMarginSensitiveN(int margin, bool sensitive) const { Send(SCI_SETMARGINSENSITIVEN, margin, sensitive); }
    void MarkerDefine(int marker, int symbol) const { Send(SCI_MARKERDEFINE, marker, symbol); }
    void MarkerSetFore(int marker, COLORREF color) const { Send(SCI_MARKERSETFORE, marker, color); }
    void MarkerSetBack(int marker, COLORREF color) const { Send(SCI_MARKERSETBACK, marker, color); }
    // Folding
    int GetLineCount() const { return static_cast<int>(Send(SCI_GETLINECOUNT)); }
    int LineFromPosition(Sci_Position position) const {
        return static_cast<int>(Send(SCI_LINEFROMPOSITION, static_cast<WPARAM>(position)));
    }
    int GetFoldLevel(int line) const { return static_cast<int>(Send(SCI_GETFOLDLEVEL, line)); }
    int GetLastChild(int line, int level) const { return static_cast<int>(Send(SCI_GETLASTCHILD, line, level)); }
    void ShowLines(int first, int last) const { Send(SCI_SHOWLINES, first, last); }
    void HideLines(int first, int last) const { Send(SCI_HIDELINES, first, last); }
    void SetFoldExpanded(int line, bool expanded) const { Send(SCI_SETFOLDEXPANDED, line, expanded); }
    bool GetFoldExpanded(int line) const { return Send(SCI_GETFOLDEXPANDED, line) != 0; }
    void ToggleFold(int line) const { Send(SCI_TOGGLEFOLD, line); }
    void SetFoldFlags(int flags) const { Send(SCI_SETFOLDFLAGS, flags); }

protected:
    void OnFinalMessage() noexcept override;

private:
    template <class T>
    static LPARAM Pointer(T* pointer) noexcept {
        return reinterpret_cast<LPARAM>(pointer);
    }

    void OnFoldChanged(const SCNotification& notification);
    void OnFoldMarginClick(const SCNotification& notification);

    bool holdsLibrary_ = false;
    sptr_t directPointer_ = 0;
    SciFnDirect directFunction_ = nullptr;
};

}  // namespace tarvel
