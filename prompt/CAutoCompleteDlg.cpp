#include "prompt/CAutoCompleteDlg.h"

#include "prompt/InsertAtCaret.h"
#include "prompt/PromptText.h"
#include "prompt/PromptTexts.h"
#include "prompt/RecentClipboardMenu.h"
#include "prompt/SystemLeadBytes.h"
#include "prompt/ValueWriteBack.h"
#include "res/resource.h"
#include "handles/UniqueHandle.h"
#include "layout/LayoutGeometry.h"

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

CAutoCompleteDlg::CAutoCompleteDlg(HINSTANCE module, AutotextDlgRequest& request, PromptPlacementStore placement)
    : CTreePropSheetEx(module),
      request_(request),
      placement_(std::move(placement)),
      slot_(request),
      arguments_(module, *this),
      code_(module) {
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
        initialValues_[row] = ReadInitialValue(request_.values[row].data, request_.values[row].capacity);
        values_[row] = initialValues_[row];
    }
    // The window is activated as soon as a control takes the focus during the
    // initialisation: it has its caption by then.
    SetText(request_.title ? request_.title : "");
    const BOOL result = CTreePropSheetEx::OnInitDialog();
    if (IsModalEnded()) {
        return result;
    }
    // The Code page's view exists from here on; the dialog opens on the arguments.
    Send(PSM_SETCURSEL, kCodePage);
    Send(PSM_SETCURSEL, kArgumentsPage);
    accelerators_ = ::LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_PROMPT_ACCELERATORS));
    ShowRows();
    std::vector<std::string> names;
    for (const char* name : request_.promptNames) {
        names.emplace_back(IsEmpty(name) ? "" : name);
    }
    preview_.emplace(request_.code ? request_.code : "", names, SystemLeadBytes(),
                     &CPropPageSnippetCodeReadOnly::ViewText);
    ShowPreview();
    ::SetDlgItemTextA(GetHwnd(), IDOK, PromptTexts::kOk);
    ::SetDlgItemTextA(GetHwnd(), IDCANCEL, PromptTexts::kCancel);
    RestorePlacement();
    // ShowRows placed the focus.
    return FALSE;
}

// Shows the rows that have a prompt name and hides the others. The focus
// goes to the first shown edit with its value selected, so that typing
// replaces it; with no row shown, to OK.
void CAutoCompleteDlg::ShowRows() {
    HWND first = nullptr;
    for (std::size_t row = 0; row < kRows; ++row) {
        const char* name = request_.promptNames[row];
        arguments_.ShowRow(row, IsEmpty(name) ? "" : name);
        if (!first && !IsEmpty(name)) {
            first = arguments_.Edit(row);
        }
    }
    arguments_.LayOutRows();
    if (first) {
        ::SetFocus(first);
        ::SendMessageA(first, EM_SETSEL, 0, -1);
    } else {
        ::SetFocus(GetItem(IDOK));
    }
}

// Where the dialog was last time, on the monitor of its owner now, inside
// its work area and no smaller than it opens.
void CAutoCompleteDlg::RestorePlacement() {
    if (!EnableSaveRestore(placement_.profile, placement_.section, kPlacementEntry)) {
        return;
    }
    RECT window{};
    ::GetWindowRect(GetHwnd(), &window);
    const HWND owner = ::GetWindow(GetHwnd(), GW_OWNER);
    const HMONITOR from = ::MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST);
    const HMONITOR to = owner && ::IsWindowVisible(owner) && !::IsIconic(owner)
                            ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                            : from;
    MONITORINFO fromInfo{};
    fromInfo.cbSize = sizeof fromInfo;
    MONITORINFO toInfo{};
    toInfo.cbSize = sizeof toInfo;
    if (!::GetMonitorInfoA(from, &fromInfo) || !::GetMonitorInfoA(to, &toInfo)) {
        return;
    }
    const auto layout = [](const RECT& r) { return LayoutRect{r.left, r.top, r.right, r.bottom}; };
    const SIZE minimum = GetMinTrackSize();
    const LayoutRect placed = OntoWorkArea(layout(window), layout(fromInfo.rcWork), layout(toInfo.rcWork),
                                           LayoutSize{minimum.cx, minimum.cy});
    ::SetWindowPos(GetHwnd(), nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CAutoCompleteDlg::PromptValueEdited(std::size_t) {
    if (preview_) {
        ShowPreview();
    }
}

// The code with the values typed so far, as the edits hold them now.
void CAutoCompleteDlg::ShowPreview() {
    std::vector<std::string> typed;
    for (std::size_t row = 0; row < kRows; ++row) {
        typed.push_back(CWindow::TextOf(arguments_.Edit(row)));
    }
    preview_->Build(typed, previewText_);
    code_.ShowPreview(previewText_);
}

// Hidden rows go back as they came: nobody could see or change them.
void CAutoCompleteDlg::WriteBack() {
    GlobalBlocks blocks;
    for (std::size_t row = 0; row < kRows; ++row) {
        HostTextBuffer& slot = request_.values[row];
        const std::string& value = IsEmpty(request_.promptNames[row]) ? initialValues_[row] : values_[row];
        WriteBackValue(value, {slot.data, slot.capacity, slot.length}, blocks);
    }
}

// Ctrl+Tab and Ctrl+Shift+Tab: the next or previous page, round, with the
// focus on its first control (the code view on the Code page).
bool CAutoCompleteDlg::SwitchPage(bool backwards) {
    const int count = GetPageCount();
    const int next = (GetActiveIndex() + (backwards ? count - 1 : 1)) % count;
    if (!SetActivePage(next)) {
        return true;
    }
    const HWND page = GetPage(next)->GetHwnd();
    const HWND first = next == kCodePage ? code_.Editor().GetHwnd() : ::GetNextDlgTabItem(page, nullptr, FALSE);
    ::SetFocus(first ? first : GetTree());
    return true;
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
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && IsKeyDown(VK_CONTROL) && inDialog) {
        return SwitchPage(IsKeyDown(VK_SHIFT));
    }
    // The code view keeps every key for itself, Escape too.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && message.hwnd == code_.Editor().GetHwnd()) {
        Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        return true;
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
