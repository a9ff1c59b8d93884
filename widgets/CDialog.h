#pragma once

#include "widgets/CDataExchange.h"
#include "widgets/CWindow.h"

namespace tarvel {

// A dialog made from a template of the given module. Runs modally through
// our own loop (so that PreTranslateMessage and WM_KICKIDLE reach it) or
// modelessly as a child. The module handle is always passed in: the code
// lives in a library, not in the program that shows it.
class CDialog : public CWindow {
public:
    CDialog(HINSTANCE module, UINT templateId) noexcept : module_(module), templateId_(templateId) {}

    // Runs the dialog modally; the result of EndModal, or -1 if it could not be created.
    INT_PTR DoModal(HWND owner);
    // From the template resource; a dialog built in memory overrides it.
    virtual bool CreateModeless(HWND parent) noexcept;
    void EndModal(INT_PTR result) noexcept;
    bool IsModalEnded() const noexcept { return modalEnded_; }

    // Runs DoDataExchange in the given direction; false if a control was missing.
    bool UpdateData(bool saveAndValidate);

    // The ordinary dialog keyboard handling (IsDialogMessage) for a top-level dialog.
    bool PreTranslateMessage(MSG& message) override;

    HINSTANCE Module() const noexcept { return module_; }
    UINT TemplateId() const noexcept { return templateId_; }
    HWND GetItem(int controlId) const noexcept { return ::GetDlgItem(GetHwnd(), controlId); }

protected:
    // Default: data to the controls; TRUE lets the system set the focus.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange&) {}
    // Default: data from the controls, then end with IDOK.
    virtual void OnOK();
    // Default: end with IDCANCEL.
    virtual void OnCancel();

    bool OnMessage(const Message& message, LRESULT& result) override;
    bool CreateIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent) noexcept;

private:
    void RedrawCaptionIfForeground() const noexcept;
    static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HINSTANCE module_;
    UINT templateId_;
    bool modalEnded_ = false;
    INT_PTR modalResult_ = IDCANCEL;
};

}  // namespace tarvel
