#pragma once

#include "widgets/CResizableLayout.h"
#include "widgets/Message.h"

namespace tarvel {

// The one resizing facility of dialogs, pages and sheets: anchored controls
// that one pass moves together and redraws once whenever the window's
// client area changes size. Base is a dialog class.
template <class Base>
class CResizable : public Base {
public:
    using Base::Base;

    bool AddAnchor(int controlId, Anchor topLeft, Anchor bottomRight = NOANCHOR) {
        return layout_.AddAnchor(controlId, topLeft, bottomRight);
    }
    bool AddAnchor(HWND control, Anchor topLeft, Anchor bottomRight = NOANCHOR) {
        return layout_.AddAnchor(control, topLeft, bottomRight);
    }
    void RemoveAnchor(HWND control) { layout_.RemoveAnchor(control); }
    void ArrangeLayout() const noexcept { layout_.ArrangeLayout(); }

protected:
    BOOL OnInitDialog() override {
        layout_.SetContainer(this->GetHwnd());
        return Base::OnInitDialog();
    }

    bool OnMessage(const Message& message, LRESULT& result) override {
        static const MessageMap<CResizable> map = MessageMap<CResizable>().OnSize(&CResizable::OnSize);
        return map.Dispatch(*this, message, result) || Base::OnMessage(message, result);
    }

    // A derived class that handles WM_SIZE itself calls this first.
    void OnSize(UINT kind, SIZE) {
        if (kind != SIZE_MINIMIZED) {
            layout_.ArrangeLayout();
        }
    }

private:
    CResizableLayout layout_;
};

}  // namespace tarvel
