#include "prompt/CPromptEditCtrl.h"

#include "pages/PageTexts.h"
#include "prompt/ClipboardText.h"
#include "prompt/InsertAtCaret.h"
#include "prompt/PromptRequestSlot.h"
#include "prompt/PromptText.h"
#include "prompt/PromptTexts.h"
#include "prompt/RecentClipboardMenu.h"
#include "res/resource.h"
#include "handles/UniqueHandle.h"

namespace tarvel {
namespace {

void Enable(HMENU menu, UINT commandId, bool enabled) noexcept {
    ::EnableMenuItem(menu, commandId, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

CPromptEditCtrl* CPromptEditCtrl::FromHandle(HWND hwnd) noexcept {
    return dynamic_cast<CPromptEditCtrl*>(CWindow::FromHandle(hwnd));
}

bool CPromptEditCtrl::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CPromptEditCtrl> map = MessageMap<CPromptEditCtrl>()
                                                       .OnMessage(WM_CONTEXTMENU, &CPromptEditCtrl::OnContextMenu)
                                                       .OnMessage(WM_PASTE, &CPromptEditCtrl::OnPaste);
    return map.Dispatch(*this, message, result) || CDimEditCtrl::OnMessage(message, result);
}

LRESULT CPromptEditCtrl::OnContextMenu(const Message& message) {
    ::SetFocus(GetHwnd());
    const UniqueMenu menu(::LoadMenuA(module_, MAKEINTRESOURCEA(IDR_PROMPT_EDIT_MENU)));
    HMENU popup = menu ? ::GetSubMenu(menu.get(), 0) : nullptr;
    if (!popup) {
        return 0;
    }
    EnableMenuItems(popup);
    // Present even when it is empty; the menu owns it from here on.
    if (HMENU recent = ::CreatePopupMenu()) {
        RecentClipboardMenu::AddItems(recent, PromptRequestSlot::Current());
        if (!::AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), TEXT_MENU_PASTE_RECENT)) {
            ::DestroyMenu(recent);
        }
    }
    const POINT at = MenuPoint(message.Point());
    const UINT chosen =
        static_cast<UINT>(::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, GetHwnd(), nullptr));
    RunMenuCommand(chosen);
    return 0;
}

// The keyboard's menu key gives no point (-1, -1): the menu opens at the
// caret then, not in the screen's corner.
POINT CPromptEditCtrl::MenuPoint(POINT given) const noexcept {
    if (given.x != -1 || given.y != -1) {
        return given;
    }
    POINT caret{};
    ::GetCaretPos(&caret);
    ::ClientToScreen(GetHwnd(), &caret);
    return caret;
}

void CPromptEditCtrl::EnableMenuItems(HMENU popup) const noexcept {
    DWORD start = 0;
    DWORD end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool selection = start != end;
    const bool writable = !IsReadOnly();
    const auto length = static_cast<DWORD>(::GetWindowTextLengthA(GetHwnd()));
    Enable(popup, ID_EDIT_UNDO_MESSAGE, Send(EM_CANUNDO) != 0 && writable);
    Enable(popup, ID_EDIT_CUT_MESSAGE, selection && writable);
    Enable(popup, ID_EDIT_COPY_MESSAGE, selection);
    Enable(popup, ID_EDIT_CLEAR_MESSAGE, selection && writable);
    Enable(popup, ID_EDIT_PASTE_MESSAGE, ::IsClipboardFormatAvailable(CF_TEXT) && writable);
    Enable(popup, ID_EDIT_SELECT_ALL, length != 0 && !(start == 0 && end == length));
}

void CPromptEditCtrl::RunMenuCommand(UINT commandId) {
    switch (commandId) {
        case 0:
            return;
        case ID_EDIT_UNDO_MESSAGE:
        case ID_EDIT_CUT_MESSAGE:
        case ID_EDIT_COPY_MESSAGE:
        case ID_EDIT_CLEAR_MESSAGE:
            Send(commandId);
            return;
        case ID_EDIT_PASTE_MESSAGE:
            PasteWithMessages();
            return;
        case ID_EDIT_SELECT_ALL:
            Send(EM_SETSEL, 0, -1);
            return;
        default:
            if (const char* text = RecentClipboardMenu::TextOf(PromptRequestSlot::Current(), commandId)) {
                InsertAtCaret(GetHwnd(), text);
            }
    }
}

LRESULT CPromptEditCtrl::OnPaste(const Message&) {
    if (IsReadOnly()) {
        return 0;
    }
    if (const std::optional<std::string> text = ClipboardText::Read(GetHwnd()); text && !text->empty()) {
        ReplaceSelectionWithOneLine(*text);
    }
    return 0;
}

void CPromptEditCtrl::PasteWithMessages() {
    if (!::IsClipboardFormatAvailable(CF_TEXT)) {
        ShowMessage(PromptTexts::kNotText, PageTexts::kErrorCaption, MB_ICONSTOP);
        return;
    }
    const std::optional<std::string> text = ClipboardText::Read(GetHwnd());
    if (!text) {
        ShowMessage(PromptTexts::kClipboardNotOpened, PageTexts::kErrorCaption, MB_ICONSTOP);
        return;
    }
    if (text->empty()) {
        ShowMessage(PromptTexts::kNothingCopied, PromptTexts::kNothingCopiedCaption, MB_ICONEXCLAMATION);
        return;
    }
    ReplaceSelectionWithOneLine(*text);
}

void CPromptEditCtrl::ReplaceSelectionWithOneLine(const std::string& clipboardText) {
    // A paste can be undone, as the edit's own paste can.
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(JoinLines(clipboardText).c_str()));
}

bool CPromptEditCtrl::IsReadOnly() const noexcept {
    return (::GetWindowLongA(GetHwnd(), GWL_STYLE) & ES_READONLY) != 0;
}

void CPromptEditCtrl::ShowMessage(const char* text, const char* caption, UINT icon) const noexcept {
    ::MessageBoxA(GetHwnd(), text, caption, MB_OK | icon);
}

}  // namespace tarvel
