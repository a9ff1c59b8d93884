#pragma once

#include <windows.h>

namespace tarvel {

struct AutotextDlgRequest;

// The host's recent clipboard texts as menu items: one per non-empty text i,
// in order, with command id ID_RECENT_CLIPBOARD_FIRST + i and the text's
// shortened form. A null pointer in the record is an empty slot.
namespace RecentClipboardMenu {

void AddItems(HMENU menu, const AutotextDlgRequest* request);
// The whole text behind a chosen command, or null for any other command.
const char* TextOf(const AutotextDlgRequest* request, UINT commandId) noexcept;

}  // namespace RecentClipboardMenu
}  // namespace tarvel
