#include "prompt/CAutoCompleteDlg.h"

#include "prompt/InsertAtCaret.h"
#include "prompt/PromptText.h"
#include "prompt/PromptTexts.h"
#include "prompt/RecentClipboardMenu.h"
#include "prompt/ValueWriteBack.h"
#include "res/resource.h"
#include "handles/UniqueHandle.h"

#include <prsht.h>

namespace tarvel {
namespace {

constexpr int kArgumentsPage = 0;
constexpr int kCodePage = 1;
constexpr int kPopupOffsetX = 20;

// The host's blocks are fixed global memory.
class GlobalBlocks : public IHostBlocks {
public:
    char* Allocate(std::size_t bytes) noexcept override { return static_cast<char*>(::GlobalAlloc(GMEM_FIXED, bytes)); }
    void Free(char* block) noexcept override {
        if (block) {
            ::GlobalFree(block);
        }
    }
};

bool IsKeyDown(int virtualKey) noexcept { return (::GetKeyState(virtualKey) & 0x8000) != 0; }

bool IsEmpty(const char* text) noexcept { return text == nullptr || *text == '\0'; }

}  // namespace

CAutoCompleteDlg::CAutoCompleteDlg(HINSTANCE module, AutotextDlgRequest& request)
    : CTreePropSheetEx(module), request_(request), slot_(request), arguments_(module, *this), code_(module) {
    AddPage(arguments_);
    AddPage(code_);
}

INT_PTR CAutoCompleteDlg::DoModal(HWND owner) {
    const INT_PTR result = CTreePropSheetEx::DoModal(owner);
    if (result == IDOK) {
        WriteBack();
    }
    return result;
}

BOOL CAutoCompleteDlg::OnInitDialog() {
    for (std::size_t row = 0; row < kRows; ++row) {
        values_[row] = ReadInitialValue(request_.values[row].data, request_.values[row].capacity);
    }
    // The window is activated as soon as a control takes the focus during the
    // initialisation: it has its caption by then.
    SetText(request_.title ? request_.title : "");
    BOOL result = CTreePropSheetEx::OnInitDialog();
    if (IsModalEnded()) {
        return result;
    }
    // The Code page's view exists from here on; the dialog opens on the arguments.
    Send(PSM_SETCURSEL, kCodePage);
    Send(PSM_SETCURSEL, kArgumentsPage);
    accelerators_ = ::LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_PROMPT_ACCELERATORS));
    if (ShowRows()) {
        result = FALSE;
    }
    code_.ShowCode(request_.code ? request_.code : "");
    ::SetDlgItemTextA(GetHwnd(), IDOK, PromptTexts::kOk);
    ::SetDlgItemTextA(GetHwnd(), IDCANCEL, PromptTexts::kCancel);
    return result;
}

// Shows the rows that have a prompt name, labelled with its short form, and
// hides the others; true when the first shown edit took the focus.
bool CAutoCompleteDlg::ShowRows() {
    HWND first = nullptr;
    for (std::size_t row = 0; row < kRows; ++row) {
        const char* name = request_.promptNames[row];
        const int show = IsEmpty(name) ? SW_HIDE : SW_SHOW;
        ::ShowWindow(arguments_.Label(row), show);
        ::ShowWindow(arguments_.Edit(row), show);
        if (show == SW_SHOW) {
            ::SetWindowTextA(arguments_.Label(row), ShortenForDisplay(name).c_str());
            first = first ? first : arguments_.Edit(row);
        }
    }
    if (first) {
        ::SetFocus(first);
    }
    return first != nullptr;
}

void CAutoCompleteDlg::WriteBack() {
    GlobalBlocks blocks;
    for (std::size_t row = 0; row < kRows; ++row) {
        HostTextBuffer& slot = request_.values[row];
        WriteBackValue(values_[row], {slot.data, slot.capacity, slot.length}, blocks);
    }
}

// Alt+O and Alt+C only with Alt held and in this dialog: with no focus
// Windows sends plain keys as system keys and characters too, and the host's
// other windows share this thread.
bool CAutoCompleteDlg::PreTranslateMessage(MSG& message) {
    const bool altHeld = (HIWORD(message.lParam) & KF_ALTDOWN) != 0;
    const bool inDialog = message.hwnd == GetHwnd() || ::IsChild(GetHwnd(), message.hwnd);
    if (message.message == WM_SYSKEYDOWN && altHeld && inDialog && (message.wParam == 'O' || message.wParam == 'C')) {
        Send(WM_COMMAND, MAKEWPARAM(message.wParam == 'O' ? IDOK : IDCANCEL, BN_CLICKED));
        return true;
    }
    // The dialog manager would take such a plain letter for a button's
    // mnemonic: "c" would cancel and lose the typed values.
    if (message.message == WM_SYSCHAR && !altHeld) {
        return false;
    }
    if (message.message == WM_KEYDOWN && message.wParam == 'V' && IsKeyDown(VK_CONTROL) && IsKeyDown(VK_SHIFT) &&
        accelerators_) {
        return ::TranslateAcceleratorA(GetHwnd(), accelerators_, &message) != 0;
    }
    return CTreePropSheetEx::PreTranslateMessage(message);
}

bool CAutoCompleteDlg::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CAutoCompleteDlg> map =
        MessageMap<CAutoCompleteDlg>().OnCommand(ID_PASTE_RECENT, &CAutoCompleteDlg::OnPasteRecent);
    return map.Dispatch(*this, message, result) || CTreePropSheetEx::OnMessage(message, result);
}

// Ctrl+Shift+V: the recent clipboard texts in a menu at the caret of the
// prompt edit that has the focus. Anywhere else there is no caret to insert
// at, and nothing happens.
LRESULT CAutoCompleteDlg::OnPasteRecent(const Message&) {
    const HWND focus = ::GetFocus();
    if (!CPromptEditCtrl::FromHandle(focus)) {
        return 0;
    }
    POINT caret{};
    ::GetCaretPos(&caret);
    ::ClientToScreen(focus, &caret);
    const UniqueMenu menu(::CreatePopupMenu());
    if (!menu) {
        return 0;
    }
    RecentClipboardMenu::AddItems(menu.get(), &request_);
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                           caret.x + kPopupOffsetX, caret.y, 0, GetHwnd(), nullptr));
    if (const char* text = RecentClipboardMenu::TextOf(&request_, chosen)) {
        InsertAtCaret(focus, text);
    }
    return 0;
}

}  // namespace tarvel
