#pragma once

#include "widgets/CPropertyPage.h"
#include "widgets/CResizableLayout.h"

namespace tarvel {

// A page whose controls follow their anchors when the frame resizes it.
class CResizablePage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;

    bool AddAnchor(int controlId, Anchor topLeft, Anchor bottomRight = NOANCHOR);
    bool AddAnchor(HWND control, Anchor topLeft, Anchor bottomRight = NOANCHOR);
    void ArrangeLayout() const noexcept { layout_.ArrangeLayout(); }

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(const Message& message, LRESULT& result) override;
    LRESULT OnSize(const Message& message);

private:
    CResizableLayout layout_;
};

}  // namespace tarvel
