#pragma once

#include "widgets/CResizablePage.h"

#include <string_view>

namespace tarvel {

// The prompt dialog's "Code" page: the entry's code, read-only, in a view
// that fills the page. A plain read-only edit shows it until the Scintilla
// view of the code pages can take its place.
class CCodePreviewPage : public CResizablePage {
public:
    explicit CCodePreviewPage(HINSTANCE module) noexcept;

    // Fills the view once, after the page's window exists.
    void ShowCode(std::string_view code);
    HWND View() const noexcept { return view_; }

protected:
    BOOL OnInitDialog() override;

private:
    HWND view_ = nullptr;
};

}  // namespace tarvel
