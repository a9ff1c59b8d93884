#include "pages/CPropPageSnippetCode.h"

#include "res/resource.h"

CPropPageSnippetCode::CPropPageSnippetCode(HINSTANCE module) : CEditorPage(module, IDD_CODE_PAGE, IDI_CODE_PAGE) {}

BOOL CPropPageSnippetCode::OnInitDialog() {
    CEditorPage::OnInitDialog();
    AddAnchor(IDC_CODE_PLACEHOLDER, tarvel::TOP_LEFT, tarvel::BOTTOM_RIGHT);
    return TRUE;
}
