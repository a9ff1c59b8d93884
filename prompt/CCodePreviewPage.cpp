#include "prompt/CCodePreviewPage.h"

#include "res/resource.h"

#include <string>

namespace tarvel {

CCodePreviewPage::CCodePreviewPage(HINSTANCE module) noexcept : CResizablePage(module, IDD_CODE_PAGE, IDI_CODE_PAGE) {}

BOOL CCodePreviewPage::OnInitDialog() {
    CResizablePage::OnInitDialog();
    const RECT client = GetClientRect();
    view_ = ::CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
        0, 0, client.right, client.bottom, GetHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_CODE_EDITOR)),
        Module(), nullptr);
    ::SendMessageA(view_, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(ANSI_FIXED_FONT)), FALSE);
    AddAnchor(IDC_CODE_PLACEHOLDER, TOP_LEFT, BOTTOM_RIGHT);
    AddAnchor(IDC_CODE_EDITOR, TOP_LEFT, BOTTOM_RIGHT);
    return TRUE;
}

void CCodePreviewPage::ShowCode(std::string_view code) { ::SetWindowTextA(view_, std::string(code).c_str()); }

}  // namespace tarvel
