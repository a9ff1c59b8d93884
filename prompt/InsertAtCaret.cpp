#include "prompt/InsertAtCaret.h"

#include "prompt/PromptText.h"

namespace tarvel {

void InsertAtCaret(HWND edit, const char* text) noexcept {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const CaretInsertion plan = PlanInsertAtCaret({start, end});
    if (plan.scrollCaretIntoView) {
        ::SendMessageA(edit, EM_SETSEL, plan.replaced.start, plan.replaced.end);
        ::SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    }
    ::SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text ? text : ""));
}

}  // namespace tarvel
