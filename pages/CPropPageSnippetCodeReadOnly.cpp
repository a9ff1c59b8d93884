#include "pages/CPropPageSnippetCodeReadOnly.h"

#include "pages/EditorSetup.h"
#include "res/resource.h"

CPropPageSnippetCodeReadOnly::CPropPageSnippetCodeReadOnly(HINSTANCE module)
    : CResizablePage(module, IDD_CODE_PAGE, IDI_CODE_PAGE) {}

BOOL CPropPageSnippetCodeReadOnly::OnInitDialog() {
    CResizablePage::OnInitDialog();
    if (tarvel::CreateEditorWindow(editor_, GetHwnd(), tarvel::EditorForm::ReadOnly)) {
        tarvel::ApplyEditorDefaults(editor_);
    }
    AddAnchor(IDC_CODE_PLACEHOLDER, tarvel::TOP_LEFT, tarvel::BOTTOM_RIGHT);
    AddAnchor(IDC_CODE_EDITOR, tarvel::TOP_LEFT, tarvel::BOTTOM_RIGHT);
    return TRUE;
}

void CPropPageSnippetCodeReadOnly::ShowCode(const std::string& code) {
    editor_.SetReadOnly(false);
    editor_.AddText(code.size(), code.data());
    editor_.SetReadOnly(true);
    // Adding leaves the caret, and the view, at the end of the code.
    editor_.GotoPos(0);
    tarvel::FitLineNumberMargin(editor_);
}
