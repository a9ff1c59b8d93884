#pragma once

#include "pages/IEditorPageSite.h"
#include "widgets/CResizablePage.h"

namespace tarvel {

// A resizable entry page that reaches its dialog only through a site; a
// page without a site edits nothing.
class CEditorPage : public tarvel::CResizablePage {
public:
    using CResizablePage::CResizablePage;

    void SetSite(IEditorPageSite* site) noexcept { site_ = site; }
    IEditorPageSite* Site() const noexcept { return site_; }

private:
    IEditorPageSite* site_ = nullptr;
};

}  // namespace tarvel
