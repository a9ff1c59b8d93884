#include "widgets/CPropertyPage.h"

#include "widgets/DialogTemplateCopy.h"

namespace tarvel {
namespace {

constexpr DWORD kFrameStyles = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_MINIMIZEBOX |
                               WS_MAXIMIZEBOX | WS_VISIBLE | WS_DISABLED;
constexpr DWORD kPageStyles = WS_CHILD | DS_CONTROL | DS_3DLOOK | WS_CLIPSIBLINGS;

}  // namespace

bool CPropertyPage::CreatePage(HWND parent) {
    DialogTemplateCopy pageTemplate(Module(), TemplateId());
    if (!pageTemplate.IsValid()) {
        return false;
    }
    caption_ = pageTemplate.Caption();
    pageTemplate.SetStyle((pageTemplate.Style() & ~kFrameStyles) | kPageStyles);
    pageTemplate.SetExStyle(pageTemplate.ExStyle() | WS_EX_CONTROLPARENT);
    return CreateIndirect(pageTemplate.Get(), parent);
}

void CPropertyPage::OnCancel() {
    const HWND owner = ::GetAncestor(GetHwnd(), GA_ROOT);
    if (owner && owner != GetHwnd()) {
        ::SendMessageA(owner, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

}  // namespace tarvel
