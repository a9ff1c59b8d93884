#include "widgets/CScintilla.h"

#include "widgets/ScintillaLibrary.h"

#include "ILexer.h"
#include "Lexilla.h"

namespace tarvel {
namespace {

// Lexilla's own typedef of this function is marked deprecated; the old
// lexer ids are exactly what it is for here.
using LexerNameFromIdFunction = const char*(LEXILLA_CALL*)(int identifier);

constexpr int kAnyLevel = -1;

bool IsHeader(int level) noexcept { return (level & SC_FOLDLEVELHEADERFLAG) != 0; }
int LevelNumber(int level) noexcept { return level & SC_FOLDLEVELNUMBERMASK; }

template <class Function>
Function LibraryFunction(const char* name) noexcept {
    HMODULE library = ScintillaLibrary::Handle();
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name))) : nullptr;
}

}  // namespace

CScintilla::CScintilla() noexcept : holdsLibrary_(ScintillaLibrary::Acquire()) {}

CScintilla::~CScintilla() {
    // The window's procedure lives in the library: it must go first.
    DestroyWindow();
    if (holdsLibrary_) {
        ScintillaLibrary::Release();
    }
}

bool CScintilla::Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent, UINT id) noexcept {
    if (!holdsLibrary_) {
        return false;
    }
    return CreateEx(ScintillaLibrary::Handle(), exStyle, kClassName, "Source", style, rect, parent, id);
}

void CScintilla::EnableDirectCalls() noexcept {
    if (!GetHwnd()) {
        return;
    }
    const auto pointer = static_cast<sptr_t>(CWindow::Send(SCI_GETDIRECTPOINTER));
    const auto function = reinterpret_cast<SciFnDirect>(CWindow::Send(SCI_GETDIRECTFUNCTION));
    if (pointer && function) {
        directPointer_ = pointer;
        directFunction_ = function;
    }
}

LRESULT CScintilla::Send(UINT message, WPARAM wParam, LPARAM lParam) const noexcept {
    if (directFunction_) {
        return directFunction_(directPointer_, message, wParam, lParam);
    }
    return GetHwnd() ? CWindow::Send(message, wParam, lParam) : 0;
}

void CScintilla::OnFinalMessage() noexcept {
    // The direct pointer names the editor object, which died with its window.
    directFunction_ = nullptr;
    directPointer_ = 0;
}

void CScintilla::SetLexer(int lexerId) const {
    const auto nameFromId = LibraryFunction<LexerNameFromIdFunction>(LEXILLA_LEXERNAMEFROMID);
    const auto createLexer = LibraryFunction<Lexilla::CreateLexerFn>(LEXILLA_CREATELEXER);
    const char* name = nameFromId ? nameFromId(lexerId) : nullptr;
    if (!name || !createLexer) {
        return;
    }
    // The editor owns the lexer from here and releases it when replaced.
    Send(SCI_SETILEXER, 0, Pointer(createLexer(name)));
}

std::string CScintilla::GetWholeText() const {
    const int length = GetLength();
    if (length <= 0) {
        return std::string();
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetText(length + 1, &text[0])));
    return text;
}

// Emptying and filling each show or hide the scroll bars, which a shown
// window draws at once (under Wine with a round trip to the X server that
// costs more than the text): with drawing paused the editor settles its
// scroll bars once, when drawing resumes.
void CScintilla::SetWholeText(const std::string& text) const {
    const bool shown = ::IsWindowVisible(GetHwnd()) != FALSE;
    if (shown) {
        CWindow::Send(WM_SETREDRAW, FALSE);
    }
    ClearAll();
    // Adding leaves the caret after the text.
    AddText(text.size(), text.data());
    GotoPos(0);
    if (shown) {
        CWindow::Send(WM_SETREDRAW, TRUE);
        ::RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
    }
}

void CScintilla::HandleEditorNotification(const SCNotification& notification) {
    if (notification.nmhdr.hwndFrom != GetHwnd() || !GetHwnd()) {
        return;
    }
    if (notification.nmhdr.code == SCN_MODIFIED && (notification.modificationType & SC_MOD_CHANGEFOLD)) {
        OnFoldChanged(notification);
    } else if (notification.nmhdr.code == SCN_MARGINCLICK && notification.margin == kFoldMargin) {
        OnFoldMarginClick(notification);
    }
}

void CScintilla::OnFoldChanged(const SCNotification& notification) {
    int line = static_cast<int>(notification.line);
    const int now = notification.foldLevelNow;
    const int previous = notification.foldLevelPrev;
    if (IsHeader(now) && !IsHeader(previous)) {
        SetFoldExpanded(line, true);
    } else if (!IsHeader(now) && IsHeader(previous) && !GetFoldExpanded(line)) {
        // No line may stay hidden below a line that no longer folds.
        ExpandFoldRange(line, true, false, 0, previous);
    }
}

void CScintilla::OnFoldMarginClick(const SCNotification& notification) {
    const bool shift = (notification.modifiers & SCMOD_SHIFT) != 0;
    const bool control = (notification.modifiers & SCMOD_CTRL) != 0;
    if (shift && control) {
        ToggleAllFolds();
        return;
    }
    int line = LineFromPosition(notification.position);
    const int level = GetFoldLevel(line);
    if (!IsHeader(level)) {
        return;
    }
    if (shift) {
        SetFoldExpanded(line, true);
        ExpandFoldRange(line, true, true, 100, level);
    } else if (control) {
        const bool expanded = GetFoldExpanded(line);
        SetFoldExpanded(line, !expanded);
        ExpandFoldRange(line, !expanded, true, expanded ? 0 : 100, level);
    } else {
        ToggleFold(line);
    }
}

// Walks the lines below the header at line and leaves line at the first line
// after them. With force every line is shown or hidden by depth and nested
// headers are opened down to depth; without it, showing opens every nested
// header on the way.
void CScintilla::ExpandFoldRange(int& line, bool show, bool force, int depth, int level) {
    const int last = GetLastChild(line, level == kAnyLevel ? kAnyLevel : LevelNumber(level));
    ++line;
    while (line <= last) {
        if (force) {
            depth > 0 ? ShowLines(line, line) : HideLines(line, line);
        } else if (show) {
            ShowLines(line, line);
        }
        if (!IsHeader(GetFoldLevel(line))) {
            ++line;
        } else if (force) {
            SetFoldExpanded(line, depth > 1);
            ExpandFoldRange(line, show, true, depth - 1, kAnyLevel);
        } else {
            if (show && !GetFoldExpanded(line)) {
                SetFoldExpanded(line, true);
            }
            ExpandFoldRange(line, show, false, depth - 1, kAnyLevel);
        }
    }
}

void CScintilla::ToggleAllFolds() {
    Colorize(0, -1);
    const int lineCount = GetLineCount();
    bool expand = true;
    for (int line = 0; line < lineCount; ++line) {
        if (IsHeader(GetFoldLevel(line))) {
            expand = !GetFoldExpanded(line);
            break;
        }
    }
    for (int line = 0; line < lineCount; ++line) {
        const int level = GetFoldLevel(line);
        if (!IsHeader(level) || LevelNumber(level) != SC_FOLDLEVELBASE) {
            continue;
        }
        if (expand) {
            SetFoldExpanded(line, true);
            ExpandFoldRange(line, true, false, 0, level);
            --line;
        } else {
            const int last = GetLastChild(line, kAnyLevel);
            SetFoldExpanded(line, false);
            if (last > line) {
                HideLines(line + 1, last);
            }
        }
    }
}

}  // namespace tarvel
