#include "prompt/RecentClipboardMenu.h"

#include "prompt/AutotextDlgRequest.h"
#include "prompt/PromptText.h"
#include "res/resource.h"

namespace tarvel::RecentClipboardMenu {
namespace {

bool IsEmpty(const char* text) noexcept { return text == nullptr || *text == '\0'; }

}  // namespace

void AddItems(HMENU menu, const AutotextDlgRequest* request) {
    if (request == nullptr) {
        return;
    }
    for (UINT i = 0; i < AutotextDlgRequest::kRows; ++i) {
        const char* text = request->recentClipboard[i];
        if (!IsEmpty(text)) {
            // Appended: slots before i that were empty have no item to stand before.
            ::AppendMenuA(menu, MF_STRING, ID_RECENT_CLIPBOARD_FIRST + i, ShortenForDisplay(text).c_str());
        }
    }
}

const char* TextOf(const AutotextDlgRequest* request, UINT commandId) noexcept {
    const UINT index = commandId - ID_RECENT_CLIPBOARD_FIRST;
    if (request == nullptr || commandId < ID_RECENT_CLIPBOARD_FIRST || index >= AutotextDlgRequest::kRows) {
        return nullptr;
    }
    const char* text = request->recentClipboard[index];
    return IsEmpty(text) ? nullptr : text;
}

}  // namespace tarvel::RecentClipboardMenu
