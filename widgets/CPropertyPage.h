#pragma once

#include "widgets/CDialog.h"

#include <string>

namespace tarvel {

// A page: a child dialog (DS_CONTROL) made from the module's template, shown
// inside a page frame. Its caption is the template's and labels the page.
class CPropertyPage : public CDialog {
public:
    CPropertyPage(HINSTANCE module, UINT templateId, UINT iconId = 0) noexcept
        : CDialog(module, templateId), iconId_(iconId) {}

    // Creates the page hidden as a child of parent, whatever the template's frame style.
    bool CreatePage(HWND parent);
    const std::string& GetCaption() const noexcept { return caption_; }
    UINT GetIconId() const noexcept { return iconId_; }

    // Called by the page host when the page is shown or left; false keeps
    // it. Leaving exchanges the controls' data into the members first.
    virtual bool OnSetActive() { return true; }
    virtual bool OnKillActive() { return UpdateData(true); }

protected:
    // A page cannot end itself: Cancel and the close request (a multi-line
    // edit asks its page to close on Escape) end the dialog that holds it.
    void OnCancel() override;

private:
    UINT iconId_;
    std::string caption_;
};

}  // namespace tarvel
