#pragma once

#include "prompt/AutotextDlgRequest.h"
#include "prompt/CPromptEditCtrl.h"
#include "prompt/IPromptValues.h"
#include "widgets/CResizablePage.h"

#include <array>
#include <memory>

namespace tarvel {

// The "Arguments" page of the prompt dialog: one row per prompt, a label and
// a value edit. The dialog decides which rows show and what the labels say;
// the page exchanges the edits with the dialog's working values.
class CPropPageArguments : public CResizablePage {
public:
    static constexpr std::size_t kRows = AutotextDlgRequest::kRows;

    CPropPageArguments(HINSTANCE module, IPromptValues& values);

    HWND Label(std::size_t row) const noexcept { return labels_[row].GetHwnd(); }
    HWND Edit(std::size_t row) const noexcept { return edits_[row]->GetHwnd(); }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& exchange) override;

private:
    IPromptValues& values_;
    std::array<CWindow, kRows> labels_;
    std::array<std::unique_ptr<CPromptEditCtrl>, kRows> edits_;
};

}  // namespace tarvel
