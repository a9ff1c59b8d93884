#include "widgets/CDialog.h"

#include "widgets/CModalLoop.h"

namespace tarvel {

INT_PTR CDialog::DoModal(HWND owner) {
    modalEnded_ = false;
    modalResult_ = IDCANCEL;
    // Only a top-level window can be kept from input while the dialog runs.
    owner = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    if (!CreateModeless(owner)) {
        return -1;
    }
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner) {
        ::EnableWindow(owner, FALSE);
    }
    if (!modalEnded_) {
        ::ShowWindow(GetHwnd(), SW_SHOW);
        RedrawCaptionIfForeground();
        CModalLoop(*this).Run();
    }
    // Owner first, so that activation returns to it when the dialog goes.
    if (disableOwner) {
        ::EnableWindow(owner, TRUE);
    }
    if (GetHwnd()) {
        ::SetWindowPos(GetHwnd(), nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        DestroyWindow();
    }
    return modalResult_;
}

// A dialog that took the focus while still hidden was activated before it
// could become the foreground window, and its caption was drawn inactive;
// shown, it is the foreground window and nothing draws the caption again.
void CDialog::RedrawCaptionIfForeground() const noexcept {
    if (::GetForegroundWindow() == GetHwnd()) {
        ::SendMessageA(GetHwnd(), WM_NCACTIVATE, TRUE, 0);
    }
}

bool CDialog::CreateModeless(HWND parent) noexcept {
    if (GetHwnd()) {
        return false;
    }
    ::CreateDialogParamA(module_, MAKEINTRESOURCEA(templateId_), parent, &DialogProcedure,
                         reinterpret_cast<LPARAM>(this));
    return GetHwnd() != nullptr;
}

bool CDialog::CreateIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent) noexcept {
    if (GetHwnd()) {
        return false;
    }
    ::CreateDialogIndirectParamA(module_, dialogTemplate, parent, &DialogProcedure, reinterpret_cast<LPARAM>(this));
    return GetHwnd() != nullptr;
}

void CDialog::EndModal(INT_PTR result) noexcept {
    modalResult_ = result;
    modalEnded_ = true;
    // Wakes the loop even when the call came from outside any message.
    ::PostMessageA(GetHwnd(), WM_NULL, 0, 0);
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange exchange(GetHwnd(), saveAndValidate);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

bool CDialog::PreTranslateMessage(MSG& message) {
    if (::GetWindowLongA(GetHwnd(), GWL_STYLE) & WS_CHILD) {
        return false;
    }
    return ::IsDialogMessageA(GetHwnd(), &message) != FALSE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(true)) {
        EndModal(IDOK);
    }
}

void CDialog::OnCancel() { EndModal(IDCANCEL); }

bool CDialog::OnMessage(const Message& message, LRESULT& result) {
    if (message.id == WM_COMMAND && message.CommandCode() == BN_CLICKED) {
        if (message.CommandId() == IDOK) {
            OnOK();
            result = 0;
            return true;
        }
        if (message.CommandId() == IDCANCEL) {
            OnCancel();
            result = 0;
            return true;
        }
    }
    // What the dialog manager answers a notification that no handler took,
    // without the round trip through it: one per tree item when a tree goes.
    if (message.id == WM_NOTIFY) {
        result = 0;
        return true;
    }
    return CWindow::OnMessage(message, result);
}

INT_PTR CALLBACK CDialog::DialogProcedure(HWND hwnd, UINT message, WPARAM, LPARAM lParam) noexcept {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    // From here on every message goes through the wrapper procedure, which
    // hands the unhandled ones back to the dialog manager.
    auto* self = reinterpret_cast<CDialog*>(lParam);
    if (!self || !self->SubclassWindow(hwnd)) {
        return TRUE;
    }
    try {
        return self->OnInitDialog();
    } catch (...) {
        return TRUE;
    }
}

}  // namespace tarvel
