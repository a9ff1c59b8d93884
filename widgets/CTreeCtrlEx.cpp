#include "widgets/CTreeCtrlEx.h"

namespace tarvel {

CTreeCtrlEx::CTreeCtrlEx() : colorFonts_(*this), drag_(*this, [this](const Message& m) { return Default(m); }) {}

bool CTreeCtrlEx::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CTreeCtrlEx> map = MessageMap<CTreeCtrlEx>()
                                                   .OnMessage(TVM_DELETEITEM, &CTreeCtrlEx::OnDeleteItem)
                                                   .OnMessage(WM_PAINT, &CTreeCtrlEx::OnPaint);
    return map.Dispatch(*this, message, result) || drag_.Handle(message, result) ||
           CTreeCtrl::OnMessage(message, result);
}

void CTreeCtrlEx::OnFinalMessage() noexcept {
    colorFonts_.Clear();
    drag_.Reset();
}

LRESULT CTreeCtrlEx::OnDeleteItem(const Message& message) {
    return colorFonts_.OnDeleteItem(message, [this](const Message& m) { return Default(m); });
}

LRESULT CTreeCtrlEx::OnPaint(const Message& message) {
    return colorFonts_.OnPaint(message, [this](const Message& m) { return Default(m); });
}

}  // namespace tarvel
