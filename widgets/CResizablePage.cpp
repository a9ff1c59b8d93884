#include "widgets/CResizablePage.h"

namespace tarvel {

bool CResizablePage::AddAnchor(int controlId, Anchor topLeft, Anchor bottomRight) {
    return layout_.AddAnchor(controlId, topLeft, bottomRight);
}

bool CResizablePage::AddAnchor(HWND control, Anchor topLeft, Anchor bottomRight) {
    return layout_.AddAnchor(control, topLeft, bottomRight);
}

BOOL CResizablePage::OnInitDialog() {
    layout_.SetContainer(GetHwnd());
    return CPropertyPage::OnInitDialog();
}

bool CResizablePage::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CResizablePage> map =
        MessageMap<CResizablePage>().OnMessage(WM_SIZE, &CResizablePage::OnSize);
    return map.Dispatch(*this, message, result) || CPropertyPage::OnMessage(message, result);
}

LRESULT CResizablePage::OnSize(const Message&) {
    layout_.ArrangeLayout();
    return 0;
}

}  // namespace tarvel
