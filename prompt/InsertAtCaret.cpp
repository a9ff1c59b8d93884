#include "prompt/InsertAtCaret.h"

#include "prompt/PromptText.h"

namespace tarvel {

void InsertAtCaret(HWND edit, const char* text) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const CaretInsertion plan = PlanInsertAtCaret({start, end});
    if (plan.scrollCaretIntoView) {
        ::SendMessageA(edit, EM_SETSEL, plan.replaced.start, plan.replaced.end);
        ::SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    }
    // One line, as a paste gives it, and undone like one.
    ::SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(JoinLines(text ? text : "").c_str()));
}

}  // namespace tarvel
